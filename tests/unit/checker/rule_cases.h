// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// A rule's test cases, as tables: one tree held in memory a case, the rule
// group run on it as the checker runs it (every launch made first), and
// whether a finding code is raised. Each table registers itself, so that
// one test can hold every code of the registry to a case that raises it
// and one that does not.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "checker/rules/check.h"
#include "tests/unit/checker/memory_tree.h"

namespace checker::testing {

struct RuleCase {
  const char* name;
  Files files;
  const char* code;                                   // the finding looked for
  bool raised;                                        // whether the tree raises it
  const char* said = "";                              // a part of its message, where raised
  const char* release = "10";                         // the release predicted
  std::optional<DiscFileSystem> disc = std::nullopt;  // none: a folder
  std::optional<std::string> locale = std::nullopt;   // --locale
  std::optional<std::vector<std::string>> languages = std::nullopt;  // --languages
};

// A finding code some case raises, or shows not raised.
struct CaseOfCode {
  std::string code;
  bool raised;
  std::string name;
};
std::vector<CaseOfCode>& registered_cases();

// Registers a test file's cases (at static initialisation: `const bool
// kRegistered = register_cases(kCases);`).
bool register_cases(const std::vector<RuleCase>& cases);
bool register_case(const std::string& code, bool raised, const std::string& name);

// The check of `files` with only `group` run, as a case sets it up.
TreeCheck run_case(RuleGroup group, const RuleCase& c);

// Whether `check` raises `code`, and where it does, that a message of it
// says `said`; `name` names the case in a failure.
void expect_finding(const TreeCheck& check, const std::string& code, bool raised,
                    const std::string& said, const std::string& name);

// Runs every case of a table: the code raised or not, and what it says.
void expect_cases(RuleGroup group, const std::vector<RuleCase>& cases);

// A tree whose every language starts its own setup program on every
// Windows, with no finding: the cases change one thing of it.
Files good_tree();
// good_tree() with `changes` (kGone removes the file).
inline const std::string kGone = std::string("\0gone", 5);
Files good_tree_with(const Files& changes);
// client.ini of good_tree() with `lines` ("ENGLISH=D:\\x.exe") in place of
// the keys they name, and any other lines added to [95].
std::string profile_with(const std::vector<std::string>& lines);

}  // namespace checker::testing
