// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The report as a table for people: each language, what it starts, and the
// findings.
#pragma once

#include <string>

#include "checker/rules/tree_check.h"

namespace checker {

std::string text_report(const TreeCheck& check);

}  // namespace checker
