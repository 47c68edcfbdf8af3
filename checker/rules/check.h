// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Judges, from an installation tree, what the launcher does for each
// language on each release of Windows: the prediction, and what a tree author
// should change.
#pragma once

#include <string>
#include <vector>

#include "checker/rules/tree_check.h"

namespace checker {

// With a locale, checks that one resource-locale value; without, each of
// the six languages in table order and then a locale that matches none.
// `disc`: the same tree as a file system of a disc, whose rules then run too.
// `tree_of`: the tree each release reads, where not `tree` (a disc's other
// file systems).
TreeCheck check_tree(Tree& tree, const std::string& root, const CheckOptions& options,
                     DiscTree* disc = nullptr, const TreeOf& tree_of = nullptr);

// The rule groups, in the order a report lists their findings.
extern const RuleGroup kRuleGroups[5];

// The check with the rule groups run in `groups`' order (a test runs them
// in another to show the order does not matter).
TreeCheck check_tree_with(Tree& tree, const std::string& root, const CheckOptions& options,
                          DiscTree* disc, const std::vector<RuleGroup>& groups);

}  // namespace checker
