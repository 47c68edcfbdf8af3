// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/windows/windows_family.h"

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

}  // namespace checker
