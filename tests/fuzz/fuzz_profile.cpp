// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The tree checker's profile reader on any profile bytes: it must never read
// or write out of bounds, must write only the value and its terminator, and
// a value read into a small buffer must be the start of the same value read
// into a large one.
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "checker/windows/profile_reader.h"
#include "tests/fuzz/fuzz_check.h"

namespace {
constexpr const char* kKeys[] = {"ENGLISH", "ENGLISH_STARTUP", " english\t", "PORTUGESE", "", "k"};
constexpr const char* kSections[] = {"95", " 95 ", "s", ""};
constexpr const char* kDefaults[] = {"d:\\products\\win95\\quv_enu\\setup.exe", "STARTUP", "",
                                     "\"q\"", "x  "};
constexpr uint32_t kLarge = 1 << 16;
constexpr char kCanary = '\x5a';
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const uint32_t small = data[0] % 64 + 1;
  const char* key = kKeys[data[1] % 6];
  const char* section = kSections[(data[1] / 6) % 4];
  const char* fallback = kDefaults[data[2] % 5];
  std::optional<std::string> profile;
  if ((data[2] / 5) % 8 != 0) profile.emplace(reinterpret_cast<const char*>(data + 3), size - 3);
  const checker::ProfileMarks marks[] = {checker::kWineMarks, checker::kWindowsNtMarks,
                                         checker::kWindows9xMarks};
  const checker::ProfileMarks mark = marks[data[0] / 64 % 3];

  std::string large(kLarge + 1, kCanary);
  const uint32_t n =
      checker::read_profile_string(profile, mark, section, key, fallback, large.data(), kLarge);
  FUZZ_CHECK(n < kLarge && large[n] == '\0' && std::strlen(large.c_str()) == n);
  FUZZ_CHECK(large[n + 1] == kCanary);

  // Exactly `small` bytes: a write past them is caught by AddressSanitizer.
  char* out = new char[small];
  std::memset(out, kCanary, small);
  const uint32_t m =
      checker::read_profile_string(profile, mark, section, key, fallback, out, small);
  FUZZ_CHECK(m < small && out[m] == '\0');
  FUZZ_CHECK(m + 1 == small || out[m + 1] == kCanary);
  FUZZ_CHECK(large.compare(0, m, out, m) == 0);
  delete[] out;
  return 0;
}
