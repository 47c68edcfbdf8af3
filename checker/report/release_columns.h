// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The releases of Windows as the reports show them side by side: each group
// ("98 to ME") one column where its releases do the same for every
// language of this tree, else a column for each run of releases that do.
#pragma once

#include <string>
#include <vector>

#include "checker/rules/tree_check.h"

namespace checker {

struct ReleaseColumn {
  std::string label;   // "98 to ME", or "98 SE to ME" where 98 differs
  size_t first, last;  // kReleases indexes, inclusive
  bool holds(const Release& release) const {
    return release_index(release) >= first && release_index(release) <= last;
  }
};

std::vector<ReleaseColumn> release_columns(const TreeCheck& check);

// Releases first..last (indexes) as a label: the group's where they are one
// ("98 to ME"), else "NT 4.0 to XP"; "Windows 95 ..." where they begin
// with it.
std::string run_label(size_t first, size_t last);

// The launch of `l` as it is on the release at `index`: what it starts,
// shows and ends with there (the findings are the chosen release's).
LanguageCheck on_release(const LanguageCheck& l, size_t index);

}  // namespace checker
