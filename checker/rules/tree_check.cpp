// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/rules/tree_check.h"

#include <algorithm>

#include "checker/names/path_rules.h"

namespace checker {

Finding unreadable(const Tree& tree, const std::string& d_path) {
  const auto full = full_path(d_path);
  const std::string file = full ? full->text : d_path;
  return finding_about(Code::kFileUnreadable,
                       "Cannot tell what the launcher does: " + file + " is " + tree.where() +
                           " but cannot be read. Check the medium, or master it again.",
                       file);
}

std::vector<std::pair<std::string, const Finding*>> TreeCheck::each_finding() const {
  std::vector<std::pair<std::string, const Finding*>> all;
  for (const Finding& f : findings) all.emplace_back("", &f);
  for (const LanguageCheck& l : languages) {
    for (const Finding& f : l.findings) all.emplace_back(l.language, &f);
  }
  return all;
}

bool TreeCheck::all_start() const {
  return !languages.empty() &&
         std::all_of(languages.begin(), languages.end(),
                     [](const LanguageCheck& l) { return l.exit_status == 0 && !l.cannot_tell; });
}

}  // namespace checker
