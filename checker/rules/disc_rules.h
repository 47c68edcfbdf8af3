// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// What only a disc image can get wrong: the autorun file that starts the
// launcher when the disc is inserted, the launcher at the root, and names
// the tree needs that the image does not hold as Windows reads it.
#pragma once

#include "checker/rules/tree_check.h"

namespace checker {

// Adds the disc's findings to `result`; nothing where the tree is not a
// disc's (facts.disc).
void check_disc(const TreeFacts& facts, TreeCheck& result);

}  // namespace checker
