// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/windows/windows_family.h"

#include "checker/windows/releases.h"

namespace checker {

const char* windows_name(Windows windows) {
  switch (windows) {
    case Windows::k9x: return "9x";
    case Windows::kNt32: return "nt32";
    case Windows::kNt64: break;
  }
  return "nt64";
}

std::optional<Windows> windows_named(const std::string& name) {
  for (const Windows w : kAllWindows) {
    if (name == windows_name(w)) return w;
  }
  return std::nullopt;
}

const char* language_source_name(LanguageSource source) {
  switch (source) {
    case LanguageSource::kRegistry: return "registry";
    case LanguageSource::kDisplayLanguage: return "display-language";
    case LanguageSource::kUserLocale: break;
  }
  return "user-locale";
}

namespace {

uint16_t newest_udf_of(const char* release) { return (*release_named(release))->newest_udf; }

}  // namespace

// Each reads a disc as the release named first does.
const DiscReader kDiscReaders[5] = {
    {"Windows 95/NT 4.0", "95", "95", newest_udf_of("95")},
    {"Windows 98/ME", "98-me", "98", newest_udf_of("98")},
    {"Windows 2000", "2000", "2000", newest_udf_of("2000")},
    {"Windows XP", "xp", "xp", newest_udf_of("xp")},
    {"Windows Vista and later", "vista-and-later", "vista", newest_udf_of("vista")},
};

}  // namespace checker
