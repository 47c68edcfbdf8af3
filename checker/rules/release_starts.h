// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Where a file of the tree starts, release by release: the facts the
// findings that name releases are made of.
#pragma once

#include <string>
#include <vector>

#include "checker/rules/tree_check.h"
#include "checker/windows/program_start.h"

namespace checker {

// The releases (one flag a release, kReleases order) where a start ends
// alike: the same launch result, the same reason and the same kind.
struct StartOn {
  std::vector<bool> on;
  PredictedStart start;
};

// Where the shell starts `file` of `tree` and, grouped by why, where it
// does not; every release but `skip` (nullptr: none). Each release's start
// is the one a launch of `check` made on `tree` where one started the file;
// else it is predicted.
struct ReleaseStarts {
  std::vector<bool> starts;
  std::vector<StartOn> refusals;  // in the order of each group's oldest release
};
ReleaseStarts release_starts(const TreeCheck& check, Tree& tree, const std::string& file,
                             const Release* skip);

// Two starts alike for a report: the same result, reason and kind.
bool same_start(const PredictedStart& a, const PredictedStart& b);

// How many releases `on` holds.
size_t count_of(const std::vector<bool>& on);

}  // namespace checker
