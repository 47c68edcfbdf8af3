// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The rules about the icon tool: there, a file, and started as a program by
// every release of Windows.
#include <gtest/gtest.h>

#include "checker/rules/icon_tool_rules.h"
#include "tests/unit/checker/rule_cases.h"

namespace checker::testing {
namespace {

constexpr char kIconTool[] = "install/quv/win/addiconw.exe";

const std::vector<RuleCase> kCases = {
    {"icon tool gone", good_tree_with({{kIconTool, kGone}}), "icon-tool-missing", true,
     "The icon tool D:\\install\\quv\\win\\addiconw.exe is not in the tree"},
    {"icon tool there", good_tree(), "icon-tool-missing", false},
    {"icon tool a folder",
     good_tree_with({{kIconTool, kGone}, {std::string(kIconTool) + "/x", "x"}}),
     "icon-tool-is-folder", true, "is a folder: the shell opens it in Explorer"},
    {"icon tool a file", good_tree(), "icon-tool-is-folder", false},
    {"icon tool unreadable", good_tree_with({{kIconTool, kUnreadable}}), "file-unreadable", true,
     "addiconw.exe is in the tree but cannot be read"},
    {"icon tool readable", good_tree(), "file-unreadable", false},
    // Where it does not start, the releases are named, the predicted one marked.
    {"64-bit icon tool", good_tree_with({{kIconTool, program(0x8664, 0x20B, 5, 2)}}),
     "icon-tool-does-not-start", true,
     "Windows 95 to ME, NT 4.0 to XP and 10 (32-bit) (predicted): a 64-bit program", "10-32"},
    {"NT-only icon tool", good_tree_with({{kIconTool, program(0x14C, 0x10B, 5, 0)}}),
     "icon-tool-does-not-start", true, "Windows 95 to ME: a program for Windows NT"},
    {"a program for every Windows", good_tree(), "icon-tool-does-not-start", false},
};
const bool kRegistered = register_cases(kCases);

TEST(IconToolRules, TheIconToolOnEveryWindows) { expect_cases(check_icon_tool, kCases); }

}  // namespace
}  // namespace checker::testing
