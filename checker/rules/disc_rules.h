// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// What only a disc image can get wrong: the autorun file that starts the
// launcher when the disc is inserted, the launcher at the root, and names
// the tree needs that the image does not hold as Windows reads it.
#pragma once

#include "checker/rules/check.h"
#include "checker/source/disc/image_tree.h"

namespace checker {

// Adds the disc's findings to `result`, a check run against `tree`.
void check_disc(DiscTree& tree, TreeCheck& result);

}  // namespace checker
