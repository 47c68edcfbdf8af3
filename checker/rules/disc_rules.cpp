// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/rules/disc_rules.h"

#include <algorithm>

#include "checker/names/code_page.h"
#include "checker/names/path_rules.h"
#include "checker/rules/autorun_rules.h"
#include "checker/rules/lost_names.h"

namespace checker {

void check_disc(const TreeFacts& facts, TreeCheck& result) {
  if (facts.disc == nullptr) return;
  DiscTree& tree = *facts.disc;
  const std::string launcher = check_autorun(tree, facts.release, result);
  // The launcher itself, and the program autorun.inf starts in its place;
  // each file that cannot be read is said once.
  const auto said_unreadable = [&](const std::string& d_path) {
    const Finding f = unreadable(tree, d_path);
    return std::any_of(result.findings.begin(), result.findings.end(), [&](const Finding& g) {
      return g.code == Code::kFileUnreadable && g.file == f.file;
    });
  };
  const bool own_unreadable = tree.entry_at(kLauncherDPath) == Tree::Entry::kUnreadable;
  if (own_unreadable && !said_unreadable(kLauncherDPath)) {
    result.findings.push_back(unreadable(tree, kLauncherDPath));
  }
  const Tree::Entry started = tree.entry_at(launcher);
  if (started == Tree::Entry::kUnreadable) {
    if (!same_ansi_name(launcher, kLauncherDPath))
      result.findings.push_back(unreadable(tree, launcher));
  } else if (started != Tree::Entry::kFile) {
    result.findings.push_back(finding_about(
        Code::kLauncherMissing,
        "The launcher " + launcher + " is not at the root of the disc. Put launcher.exe there.",
        launcher));
  }
  // Names the launcher needs that the image lost.
  check_lost_name(tree, kProfileDPath, "The profile", result);
  check_lost_name(tree, kIconToolDPath, "The icon tool", result);
  for (const LanguageCheck& l : result.languages) {
    if (!l.setup_path.empty())
      check_lost_name(tree, l.setup_path, l.language + "'s setup program", result);
  }
}

}  // namespace checker
