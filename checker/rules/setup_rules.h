// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The rules about what each language's launch starts: its setup key and
// group key as written, the setup program the file test looks for and how
// each release of Windows starts it.
#pragma once

#include "checker/rules/tree_check.h"

namespace checker {

// Adds to each language's launch the findings about its setup program and
// group.
void check_setup(const TreeFacts& facts, TreeCheck& result);

}  // namespace checker
