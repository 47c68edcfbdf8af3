// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The report as compiler-style lines, for editors and CI logs.
#pragma once

#include <string>

#include "checker/rules/tree_check.h"

namespace checker {

// One finding a line, as compilers write them, for editors and CI logs:
//   path:line: severity: message [code]
// with the path of the file it is about (IMAGE:D:\path inside an image),
// else the tree's path; the line where it is about one.
std::string gcc_report(const TreeCheck& check);

}  // namespace checker
