// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Where a file of the tree starts, release by release: the facts the
// findings that name releases are made of.
#pragma once

#include <string>
#include <vector>

#include "checker/source/tree.h"
#include "checker/windows/program_start.h"

namespace checker {

// The releases (one flag a release, kReleases order) where a start ends
// alike: the same launch result and the same reason.
struct StartOn {
  std::vector<bool> on;
  PredictedStart start;
};

// Where the shell starts `file` and, grouped by why, where it does not;
// every release but `skip` (nullptr: none).
struct ReleaseStarts {
  std::vector<bool> starts;
  std::vector<StartOn> refusals;  // in the order of each group's oldest release
};
ReleaseStarts release_starts(Tree& tree, const std::string& file, const Release* skip);

// How many releases `on` holds.
size_t count_of(const std::vector<bool>& on);

}  // namespace checker
