// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/rules/icon_tool_rules.h"

#include "checker/rules/release_starts.h"

namespace checker {

namespace {

// The icon tool as the shell starts it on each release.
void check_icon_tool_start(const TreeFacts& facts, const TreeCheck& result,
                           std::vector<Finding>& findings) {
  Tree& tree = facts.tree;
  const ReleaseStarts spread = release_starts(result, tree, kIconToolDPath, nullptr);
  std::string fails;
  for (const StartOn& refusal : spread.refusals) {
    if (refusal.start.kind == StartKind::kUnreadable) {
      findings.push_back(unreadable(tree, kIconToolDPath));
      return;
    }
    fails += (fails.empty() ? "" : "; ") + releases_prose(refusal.on) +
             (refusal.on[release_index(facts.release)] ? " (predicted)" : "") + ": " +
             refusal.start.note;
  }
  if (!fails.empty()) {
    findings.push_back(finding_about(Code::kIconToolDoesNotStart,
                                     "The icon tool " + kIconToolDPath +
                                         " does not start as a program on every Windows, so no "
                                         "start-group icon is made there (setup still starts): " +
                                         fails +
                                         ". Put the real "
                                         "addiconw.exe there.",
                                     kIconToolDPath));
  }
}

}  // namespace

void check_icon_tool(const TreeFacts& facts, TreeCheck& result) {
  switch (facts.tree.entry_at(kIconToolDPath)) {
    case Tree::Entry::kUnreadable:
      result.findings.push_back(unreadable(facts.tree, kIconToolDPath));
      break;
    case Tree::Entry::kMissing:
      result.findings.push_back(
          finding_about(Code::kIconToolMissing,
                        "The icon tool " + kIconToolDPath +
                            " is not in the tree: no start-group icon is made (setup still "
                            "starts). Put addiconw.exe there.",
                        kIconToolDPath));
      break;
    case Tree::Entry::kFolder:
      result.findings.push_back(
          finding_about(Code::kIconToolIsFolder,
                        "The icon tool " + kIconToolDPath +
                            " is a folder: the shell opens it in Explorer, a window the "
                            "user did not ask for, and no icon is made. Put addiconw.exe "
                            "there.",
                        kIconToolDPath));
      break;
    case Tree::Entry::kFile: check_icon_tool_start(facts, result, result.findings); break;
  }
}

}  // namespace checker
