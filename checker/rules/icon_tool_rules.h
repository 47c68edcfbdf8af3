// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The rules about the icon tool: there, a program, and started by every
// release of Windows. Where it does not start, no start-group icon is made;
// setup still starts.
#pragma once

#include "checker/rules/tree_check.h"

namespace checker {

// Adds the findings about the icon tool to `result`.
void check_icon_tool(const TreeFacts& facts, TreeCheck& result);

}  // namespace checker
