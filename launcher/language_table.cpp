// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "launcher/launcher.h"
#include "launcher/text.h"

namespace launcher {

// "PORTUGESE" is spelled as the profile files of existing trees spell it.
const LanguageRow kLanguages[kLanguageCount] = {
    {"16", "PORTUGESE", "PORTUGESE_STARTUP"}, {"09", "ENGLISH", "ENGLISH_STARTUP"},
    {"0C", "FRENCH", "FRENCH_STARTUP"},       {"10", "ITALIAN", "ITALIAN_STARTUP"},
    {"07", "GERMAN", "GERMAN_STARTUP"},       {"0A", "SPANISH", "SPANISH_STARTUP"},
};

namespace {
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kResourceLocaleSubkey[] = "ResourceLocale";
// The code is the last two of the eight hex digits of a locale id.
constexpr uint32_t kCodeOffset = 6;
constexpr uint32_t kCodeLength = 2;
}  // namespace

LocaleRead read_resource_locale(platform::Platform& os, char (&locale)[kLocaleSize],
                                platform::RegKey* key) {
  for (char& c : locale) c = '\0';
  if (os.open_user_key(kDesktopKey, key) != 0) return LocaleRead::kUnreadable;
  long size = kLocaleSize;
  if (os.query_value(*key, kResourceLocaleSubkey, locale, &size) != 0) {
    return LocaleRead::kUnreadable;
  }
  // The registry does not promise a terminator; the buffer does.
  locale[kLocaleSize - 1] = '\0';
  return LocaleRead::kOk;
}

LocaleRead display_language_as_locale(platform::Platform& os, char (&locale)[kLocaleSize]) {
  uint32_t id = os.display_language();
  // NT 4.0 has no display language and keeps no ResourceLocale: the user's
  // locale is all it says of the user's language.
  if (id == 0) id = os.user_locale();
  if (id == 0) return LocaleRead::kUnreadable;
  constexpr uint32_t kDigits = kCodeOffset + kCodeLength;
  for (uint32_t i = kDigits; i-- > 0; id >>= 4) {
    const char digit = static_cast<char>(id & 0xF);
    locale[i] = static_cast<char>(digit < 10 ? '0' + digit : 'A' - 10 + digit);
  }
  locale[kDigits] = '\0';
  return LocaleRead::kOk;
}

const LanguageRow* select_language(platform::Platform& os, const char* locale) {
  // Only a remainder of exactly two characters can equal a code; checking the
  // length first also keeps a short value from being read past its end.
  if (text_length(locale, kLocaleSize) != kCodeOffset + kCodeLength) return nullptr;
  const char* code = locale + kCodeOffset;
  for (const LanguageRow& row : kLanguages) {
    if (os.compare_no_case(code, row.locale_code) == 0) return &row;
  }
  return nullptr;
}

}  // namespace launcher
