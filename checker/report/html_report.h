// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The report as one HTML page for a browser.
#pragma once

#include <string>

#include "checker/rules/tree_check.h"

namespace checker {

// One self-contained HTML page: what a double-click does for each language
// on each release (grouped where they agree), the findings with their
// places, the tree described.
std::string html_report(const TreeCheck& check, const std::string& version);

}  // namespace checker
