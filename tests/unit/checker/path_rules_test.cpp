// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Windows' path rules as the checker applies them, and the launcher's
// limits measured where Windows measures them: on the full path.
#include <gtest/gtest.h>

#include "checker/rules/check.h"
#include "checker/names/path_rules.h"
#include "tests/unit/checker/memory_tree.h"

namespace checker::testing {
namespace {

TEST(PathRules, FullPathsAsGetFullPathNameMakesThem) {
  struct Row {
    const char* path;
    const char* full;  // nullptr: no full path on drive D:
    bool names_folder = false;
    bool unusable = false;
  };
  const Row rows[] = {
      {"D:\\products\\setup.exe", "D:\\products\\setup.exe"},
      {"d:/products//setup.exe", "D:\\products\\setup.exe"},
      {"D:\\a\\b\\..\\c", "D:\\a\\c"},
      {"D:\\..\\..\\setup.exe", "D:\\setup.exe"},  // never above the root
      {"D:\\a\\..", "D:\\"},                       // the root keeps its separator
      {"D:\\a\\b\\..", "D:\\a"},                   // a folder does not
      {"D:\\a\\.", "D:\\a"},
      {"D:\\a.\\b", "D:\\a\\b"},  // a folder loses one trailing dot
      {"D:\\a..\\b", "D:\\a.\\b"},
      {"D:\\a \\b", "D:\\a \\b"},             // and keeps its trailing blank
      {"D:\\setup.exe. .", "D:\\setup.exe"},  // the last name loses them all
      {"D:\\setup\\", "D:\\setup\\", true},
      {"D:setup.exe", "D:\\setup.exe"},  // from the root, where the launcher starts
      {"D:\\a<b", "D:\\a<b", false, true},
      {"C:\\setup.exe", nullptr},
      {"", nullptr},
  };
  for (const Row& row : rows) {
    const auto full = full_path(row.path);
    ASSERT_EQ(full.has_value(), row.full != nullptr) << row.path;
    if (!full) continue;
    EXPECT_EQ(full->text, row.full) << row.path;
    EXPECT_EQ(full->names_folder, row.names_folder) << row.path;
    EXPECT_EQ(full->unusable, row.unusable) << row.path;
  }
}

// The file test takes full paths of up to 127 characters; a longer path
// written with ".." that resolves shorter is found.
TEST(PathRules, TheFileTestsLimitIsOnTheFullPath) {
  struct Row {
    size_t full_length;
    bool written_longer;
    int exit_status;
  };
  for (const Row row :
       {Row{127, false, 0}, Row{128, false, -1}, Row{127, true, 0}, Row{128, true, -1}}) {
    const std::string folder(row.full_length - std::string("D:\\\\setup.exe").size(), 'f');
    const std::string written =
        std::string("D:\\") +
        (row.written_longer ? "x\\..\\" + std::string(20, 'y') + "\\..\\" : "") + folder +
        "\\setup.exe";
    MemoryTree tree(Files{{"install/quv/win/client.ini", "[95]\r\nENGLISH=" + written + "\r\n"},
                          {"install/quv/win/addiconw.exe", program()},
                          {folder + "/setup.exe", program()}});
    CheckOptions options;
    options.locale = "00000409";
    const TreeCheck check = check_tree(tree, "tree", options);
    ASSERT_EQ(check.languages.size(), 1u);
    const LanguageCheck& english = check.languages[0];
    EXPECT_EQ(english.exit_status, row.exit_status) << written;
    const bool too_long =
        std::any_of(english.findings.begin(), english.findings.end(),
                    [](const Finding& f) { return f.code == Code::kSetupPathTooLong; });
    EXPECT_EQ(too_long, row.full_length > 127) << written;
  }
}

// Profile keys are compared as the file spells them: in a UTF-16 profile a
// dotless ı, a dotted İ or a long ſ is no I or S, though its ANSI best fit is.
TEST(PathRules, ProfileKeysAreComparedAsSpelt) {
  const std::u16string text =
      u"\xfeff[95]\r\nENGL\x0131SH=a\r\n\x0130TAL\x0130"
      u"AN=b\r\n"
      u"\x017fPANI\x017fH=c\r\ngErMaN=d\r\n\x00e9=e\r\n";
  std::string bytes;
  for (const char16_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  const Profile profile(bytes, kWindowsNtMarks);
  for (const char* key : {"ENGLISH", "ITALIAN", "SPANISH"}) {
    EXPECT_EQ(profile.find_value("95", key), nullptr) << key;
  }
  ASSERT_NE(profile.find_value("95", "GERMAN"), nullptr);
  EXPECT_EQ(*profile.find_value("95", "GERMAN"), "d");
  ASSERT_NE(profile.find_value("95", "\xc9"), nullptr);  // é and É are one letter
}

}  // namespace
}  // namespace checker::testing
