// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The rules about what each language's launch starts: its setup and group
// keys as written, the setup program the file test looks for, and how each
// release of Windows starts it.
#include <gtest/gtest.h>

#include "checker/rules/setup_rules.h"
#include "tests/unit/checker/rule_cases.h"

namespace checker::testing {
namespace {

constexpr char kProfile[] = "install/quv/win/client.ini";
constexpr char kEnglish[] = "products/enu/setup.exe";

Files english(const std::string& line, const Files& more = {}) {
  Files changes = more;
  changes[kProfile] = profile_with({line});
  return good_tree_with(changes);
}

const std::string kLongFolder = "products/" + std::string(120, 'f');
const std::string kLongFolderD = "D:\\products\\" + std::string(120, 'f');

const std::vector<RuleCase> kCases = {
    // The setup key's value.
    {"ENGLISH missing", english("ENGLISH="), "setup-default-used", true,
     "ENGLISH is empty, so the launcher starts the default"},
    {"ENGLISH missing, not provided", english("ENGLISH="), "setup-default-used", false, "", "10",
     std::nullopt, std::nullopt, std::vector<std::string>{"GERMAN"}},
    {"no drive", english("ENGLISH=\\products\\enu\\setup.exe"), "setup-no-drive-prefix", true,
     "does not begin with a drive"},
    {"drive D:", good_tree(), "setup-no-drive-prefix", false},
    {"drive E:", english("ENGLISH=E:\\products\\enu\\setup.exe"), "setup-other-drive", true,
     "names drive E:"},
    {"drive d:", english("ENGLISH=d:\\products\\enu\\setup.exe"), "setup-other-drive", false},
    // The group key.
    {"group missing", english("ENGLISH_STARTUP="), "group-default-used", false},
    {"group key gone",
     good_tree_with({{kProfile, "[95]\r\nENGLISH=D:\\products\\enu\\setup.exe\r\n"}}),
     "group-default-used", true, "ENGLISH_STARTUP is missing from [95]", "10", std::nullopt,
     std::string("00000409")},
    {"group key gone, not provided",
     good_tree_with({{kProfile, "[95]\r\nENGLISH=D:\\products\\enu\\setup.exe\r\n"}}),
     "group-default-used", false, "", "10", std::nullopt, std::string("00000407"),
     std::vector<std::string>{"ENGLISH"}},
    {"group too long", english("ENGLISH_STARTUP=" + std::string(300, 'g')), "group-cut", true,
     "characters of the launcher's slot"},
    {"group that fits", english("ENGLISH_STARTUP=" + std::string(14, 'g')), "group-cut", false},
    // The file test.
    {"setup gone", good_tree_with({{kEnglish, kGone}}), "setup-not-found", true,
     "The setup program D:\\products\\enu\\setup.exe is not in the tree"},
    {"setup a folder", good_tree_with({{kEnglish, kGone}, {std::string(kEnglish) + "/x", "x"}}),
     "setup-not-found", true, "is a folder, not a file"},
    {"setup there", good_tree(), "setup-not-found", false},
    {"setup unreadable", good_tree_with({{kEnglish, kUnreadable}}), "file-unreadable", true,
     "D:\\products\\enu\\setup.exe is in the tree but cannot be read"},
    {"setup readable", good_tree(), "file-unreadable", false},
    {"path past the file test's 127",
     english("ENGLISH=" + kLongFolderD + "\\setup.exe", {{kLongFolder + "/setup.exe", program()}}),
     "setup-path-too-long", true, "the launcher's file test takes at most 127"},
    {"path within 127",
     english("ENGLISH=D:\\products\\" + std::string(100, 'f') + "\\setup.exe",
             {{"products/" + std::string(100, 'f') + "/setup.exe", program()}}),
     "setup-path-too-long", false},
    // How each release starts it.
    {"not a program", good_tree_with({{kEnglish, "text"}}), "setup-not-a-program", true,
     "not a Windows program (no MZ and PE header), so Windows cannot start it"},
    {"a program", good_tree(), "setup-not-a-program", false},
    {"64-bit on 32-bit Windows 10", good_tree_with({{kEnglish, program(0x8664, 0x20B, 5, 2)}}),
     "setup-wrong-windows", true, "it does not start on 32-bit Windows 10", "10-32"},
    {"64-bit on 64-bit Windows 10", good_tree_with({{kEnglish, program(0x8664, 0x20B, 5, 2)}}),
     "setup-wrong-windows", false},
    {"a type nothing opens",
     english("ENGLISH=D:\\products\\enu\\setup.xyz", {{"products/enu/setup.xyz", "x"}}),
     "setup-needs-association", true, "Point ENGLISH= at an .exe."},
    {"an .exe", good_tree(), "setup-needs-association", false},
    // Subsystem 6.0 is Vista's: the note names it.
    {"subsystem 6.0", good_tree_with({{kEnglish, program(0x14C, 0x10B, 6, 0)}}),
     "setup-not-on-every-windows", true, "it needs Windows Vista or later"},
    {"subsystem 5.2", good_tree_with({{kEnglish, program(0x14C, 0x10B, 5, 2)}}),
     "setup-not-on-every-windows", true, "it needs Windows XP x64 or Server 2003 or later"},
    {"subsystem 4.0", good_tree(), "setup-not-on-every-windows", false},
    {"DOS program on 32-bit Windows 10", good_tree_with({{kEnglish, program(0, 0, 0, 0, false)}}),
     "setup-needs-feature", true, "NTVDM", "10-32"},
    {"DOS program on XP", good_tree_with({{kEnglish, program(0, 0, 0, 0, false)}}),
     "setup-needs-feature", false, "", "xp"},
    {"a text file",
     english("ENGLISH=D:\\products\\enu\\readme.txt", {{"products/enu/readme.txt", "x"}}),
     "setup-opens-document", true, "readme.txt is"},
    {"a program, no document", good_tree(), "setup-opens-document", false},
    // VBScript is leaving Windows (an optional feature from 11 24H2 on).
    {"a .vbs setup",
     english("ENGLISH=D:\\products\\enu\\setup.vbs", {{"products/enu/setup.vbs", "x"}}),
     "setup-uses-vbscript", true, "setup.vbs is a VBScript file: VBScript is an optional feature"},
    {"an .hta in VBScript",
     english("ENGLISH=D:\\products\\enu\\setup.hta",
             {{"products/enu/setup.hta", "<script language=\"VBScript\">x</script>"}}),
     "setup-uses-vbscript", true, "is an HTML application that runs VBScript"},
    {"an .hta in JScript",
     english("ENGLISH=D:\\products\\enu\\setup.hta",
             {{"products/enu/setup.hta", "<script language=\"JScript\">x</script>"}}),
     "setup-uses-vbscript", false},
};
const bool kRegistered = register_cases(kCases);

TEST(SetupRules, EachLanguagesSetupProgram) { expect_cases(check_setup, kCases); }

}  // namespace
}  // namespace checker::testing
