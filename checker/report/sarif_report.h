// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The report as SARIF 2.1.0, for code-scanning services.
#pragma once

#include <string>

#include "checker/rules/tree_check.h"

namespace checker {

// SARIF 2.1.0 for code-scanning services: one run, the rules from the
// table of findings, each result with its location.
std::string sarif_report(const TreeCheck& check, const std::string& version);

}  // namespace checker
