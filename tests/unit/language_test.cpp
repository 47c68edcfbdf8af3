// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include <gtest/gtest.h>

#include <string>

#include "launcher/launcher.h"
#include "tests/unit/fake_platform.h"

namespace {

using launcher::select_language;

std::string chosen(const std::string& locale) {
  fake::FakePlatform os;
  const launcher::LanguageRow* row = select_language(os, locale.c_str());
  return row == nullptr ? "none" : row->setup_key;
}

TEST(LanguageTable, RowsAndKeys) {
  const char* codes[] = {"16", "09", "0C", "10", "07", "0A"};
  const char* keys[] = {"PORTUGESE", "ENGLISH", "FRENCH", "ITALIAN", "GERMAN", "SPANISH"};
  for (int i = 0; i < launcher::kLanguageCount; ++i) {
    EXPECT_STREQ(launcher::kLanguages[i].locale_code, codes[i]);
    EXPECT_STREQ(launcher::kLanguages[i].setup_key, keys[i]);
    EXPECT_EQ(std::string(launcher::kLanguages[i].group_key), std::string(keys[i]) + "_STARTUP");
  }
}

TEST(LanguageSelection, LastTwoDigitsOfAnEightDigitValue) {
  EXPECT_EQ(chosen("00000416"), "PORTUGESE");
  EXPECT_EQ(chosen("00000816"), "PORTUGESE");  // European Portuguese too
  EXPECT_EQ(chosen("00000409"), "ENGLISH");
  EXPECT_EQ(chosen("00000809"), "ENGLISH");
  EXPECT_EQ(chosen("zzzzzz09"), "ENGLISH");  // the first six do not matter
  EXPECT_EQ(chosen("0000040C"), "FRENCH");
  EXPECT_EQ(chosen("0000040c"), "FRENCH");
  EXPECT_EQ(chosen("00000410"), "ITALIAN");
  EXPECT_EQ(chosen("00000407"), "GERMAN");
  EXPECT_EQ(chosen("00000c0a"), "SPANISH");
  EXPECT_EQ(chosen("00000411"), "none");  // Japanese
  EXPECT_EQ(chosen("00000490"), "none");  // digits swapped
}

// Where the registry has no value, the display language stands in as one.
TEST(DisplayLanguage, EveryIdOfTheSixLanguagesSelectsItsRow) {
  struct Case {
    uint16_t id;
    const char* locale;
    const char* language;
  };
  const Case cases[] = {
      {0x0416, "00000416", "PORTUGESE"}, {0x0816, "00000816", "PORTUGESE"},
      {0x0409, "00000409", "ENGLISH"},   {0x0809, "00000809", "ENGLISH"},
      {0x040C, "0000040C", "FRENCH"},    {0x0C0C, "00000C0C", "FRENCH"},
      {0x0410, "00000410", "ITALIAN"},   {0x0810, "00000810", "ITALIAN"},
      {0x0407, "00000407", "GERMAN"},    {0x0807, "00000807", "GERMAN"},
      {0x0C07, "00000C07", "GERMAN"},    {0x040A, "0000040A", "SPANISH"},
      {0x080A, "0000080A", "SPANISH"},   {0x0C0A, "00000C0A", "SPANISH"},
      {0x0411, "00000411", "none"},      {0x0413, "00000413", "none"},
      {0xFFFF, "0000FFFF", "none"},      {0x0001, "00000001", "none"},
  };
  for (const Case& c : cases) {
    fake::FakePlatform os;
    os.ui_language = c.id;
    char locale[launcher::kLocaleSize];
    // What a failed registry read may leave behind must not show through.
    for (char& ch : locale) ch = '7';
    ASSERT_EQ(launcher::display_language_as_locale(os, locale), launcher::LocaleRead::kOk);
    EXPECT_STREQ(locale, c.locale);
    EXPECT_EQ(chosen(locale), c.language) << c.locale;
  }
  fake::FakePlatform nt4;  // no display language: the user's locale
  nt4.ui_language = 0;
  nt4.user_lang_id = 0x0C0A;
  char locale[launcher::kLocaleSize] = {};
  EXPECT_EQ(launcher::display_language_as_locale(nt4, locale), launcher::LocaleRead::kOk);
  EXPECT_STREQ(locale, "00000C0A");
  nt4.user_lang_id = 0;
  EXPECT_EQ(launcher::display_language_as_locale(nt4, locale), launcher::LocaleRead::kUnreadable);
}

TEST(LanguageSelection, OnlyExactlyEightCharactersCanMatch) {
  EXPECT_EQ(chosen(""), "none");
  EXPECT_EQ(chosen("00009"), "none");
  EXPECT_EQ(chosen("000009"), "none");
  EXPECT_EQ(chosen("0000009"), "none");
  EXPECT_EQ(chosen("000000409"), "none");
  EXPECT_EQ(chosen("00000409 "), "none");
  EXPECT_EQ(chosen(std::string(79, '0')), "none");
}

TEST(LanguageSelection, ComparesInTableOrderAndStopsAtTheMatch) {
  fake::FakePlatform os;
  ASSERT_NE(select_language(os, "00000410"), nullptr);
  const std::vector<std::string> expected = {"compare_no_case(10,16)", "compare_no_case(10,09)",
                                             "compare_no_case(10,0C)", "compare_no_case(10,10)"};
  EXPECT_EQ(os.log, expected);
}

TEST(ResourceLocale, ReadsTheUnnamedValueOfTheSubkey) {
  fake::FakePlatform os;
  os.locale = "0000040C";
  char locale[launcher::kLocaleSize];
  platform::RegKey key = nullptr;
  ASSERT_EQ(launcher::read_resource_locale(os, locale, &key), launcher::LocaleRead::kOk);
  EXPECT_STREQ(locale, "0000040C");
  EXPECT_EQ(key, os.opened_key);
  const std::vector<std::string> expected = {"open_user_key(Control Panel\\Desktop)",
                                             "query_value(opened,ResourceLocale,80)"};
  EXPECT_EQ(os.log, expected);
}

TEST(ResourceLocale, AnyFailureIsUnreadable) {
  char locale[launcher::kLocaleSize];
  platform::RegKey key = nullptr;
  {
    fake::FakePlatform os;
    os.open_result = 2;
    EXPECT_EQ(launcher::read_resource_locale(os, locale, &key), launcher::LocaleRead::kUnreadable);
    EXPECT_EQ(os.log.size(), 1u);
  }
  {
    fake::FakePlatform os;
    os.locale = std::string(79, '7');  // fits with its terminator
    EXPECT_EQ(launcher::read_resource_locale(os, locale, &key), launcher::LocaleRead::kOk);
    EXPECT_EQ(std::string(locale), os.locale);
    os.locale = std::string(80, '7');  // does not
    EXPECT_EQ(launcher::read_resource_locale(os, locale, &key), launcher::LocaleRead::kUnreadable);
  }
}

// A registry value stored without a terminator must not run off the buffer.
TEST(ResourceLocale, UnterminatedValueIsCutInsideTheBuffer) {
  fake::FakePlatform os;
  os.locale = std::string(100, '9');
  os.locale_without_terminator = true;
  char locale[launcher::kLocaleSize];
  platform::RegKey key = nullptr;
  ASSERT_EQ(launcher::read_resource_locale(os, locale, &key), launcher::LocaleRead::kOk);
  EXPECT_EQ(std::string(locale), std::string(79, '9'));
}

}  // namespace
