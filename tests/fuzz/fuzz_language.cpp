// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Language selection on any locale value the 80-byte buffer can hold.
#include <cstdint>
#include <cstring>

#include "launcher/launcher.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size >= launcher::kLocaleSize) return 0;
  // Exactly the value and its terminator: a read past the end is caught.
  char* locale = new char[size + 1];
  std::memcpy(locale, data, size);
  locale[size] = '\0';
  fuzz::FuzzPlatform os(nullptr, 0);
  const launcher::LanguageRow* row = launcher::select_language(os, locale);

  const size_t length = std::strlen(locale);
  const launcher::LanguageRow* expected = nullptr;
  if (length == 8) {
    for (const launcher::LanguageRow& candidate : launcher::kLanguages) {
      if (fuzz::ascii_equal_no_case(locale + 6, candidate.locale_code)) {
        expected = &candidate;
        break;
      }
    }
  }
  FUZZ_CHECK(row == expected);
  delete[] locale;
  return 0;
}
