// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The check as a whole: every finding code has a case that raises it and
// one that does not, and the rule groups judge facts made before any of
// them runs, so that their order changes nothing but the order of the list.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "checker/rules/check.h"
#include "tests/unit/checker/rule_cases.h"

namespace checker::testing {
namespace {

TEST(Findings, EveryCodeHasACaseThatRaisesItAndOneThatDoesNot) {
  for (const FindingKind& kind : kFindingKinds) {
    std::set<bool> seen;
    for (const CaseOfCode& c : registered_cases()) {
      if (c.code == kind.name) seen.insert(c.raised);
    }
    EXPECT_EQ(seen.count(true), 1u) << kind.name << ": no case raises it";
    EXPECT_EQ(seen.count(false), 1u) << kind.name << ": no case shows it not raised";
  }
  for (const CaseOfCode& c : registered_cases()) {
    EXPECT_TRUE(std::any_of(std::begin(kFindingKinds), std::end(kFindingKinds),
                            [&](const FindingKind& k) { return c.code == k.name; }))
        << c.name << ": " << c.code << " is no code of the registry";
  }
}

// Every finding as one line: the language it is about, its code, file,
// line and message.
std::vector<std::string> findings_of(const TreeCheck& check) {
  std::vector<std::string> all;
  for (const auto& [language, f] : check.each_finding()) {
    all.push_back(language + "|" + f->name() + "|" + f->file + "|" +
                  std::to_string(f->line.value_or(0)) + "|" + f->message);
  }
  std::sort(all.begin(), all.end());
  return all;
}

TEST(RuleGroups, RunInAnyOrder) {
  MemoryTree tree(good_tree_with({{"install/quv/win/client.ini",
                                   profile_with({"ENGLISH=\\products\\enu\\setup.exe", "ENGLSH=x",
                                                 "GERMAN_STARTUP=Caf\xC3\xA9",
                                                 "FRENCH=D:\\products\\fra\\setup-french.exe"})},
                                  {"install/quv/win/addiconw.exe", program(0x8664, 0x20B, 5, 2)},
                                  {"products/ita/setup.exe", program(0x14C, 0x10B, 6, 0)},
                                  {"autorun.inf", "[autorun]\r\nicon=gone.ico\r\n"},
                                  {"launcher.exe", kGone}}),
                  DiscFileSystem::kIso9660);
  CheckOptions options;
  std::vector<RuleGroup> groups(std::begin(kRuleGroups), std::end(kRuleGroups));
  const TreeCheck forward = check_tree_with(tree, "t", options, &tree, groups);
  std::reverse(groups.begin(), groups.end());
  const TreeCheck backward = check_tree_with(tree, "t", options, &tree, groups);
  const std::vector<std::string> found = findings_of(forward);
  EXPECT_GE(found.size(), 9u);  // from every group
  EXPECT_EQ(found, findings_of(backward));
}

}  // namespace
}  // namespace checker::testing
