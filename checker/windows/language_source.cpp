// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/windows/language_source.h"

namespace checker {

const char* language_source_name(LanguageSource source) {
  switch (source) {
    case LanguageSource::kRegistry: return "registry";
    case LanguageSource::kDisplayLanguage: return "display-language";
    case LanguageSource::kUserLocale: break;
  }
  return "user-locale";
}

}  // namespace checker
