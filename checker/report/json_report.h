// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The report as a JSON document for tools.
#pragma once

#include <string>

#include "checker/rules/tree_check.h"

namespace checker {

std::string json_report(const TreeCheck& check, const std::string& version);

}  // namespace checker
