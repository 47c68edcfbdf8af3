// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The tree checker's report: a table for people, a JSON document for tools,
// compiler-style lines for editors, and SARIF for code scanning.
#pragma once

#include <string>
#include <vector>

#include "checker/rules/tree_check.h"

namespace checker {

std::string text_report(const TreeCheck& check);
std::string json_report(const TreeCheck& check, const std::string& version);
// One finding a line, as compilers write them, for editors and CI logs:
//   path:line: severity: message [code]
// with the path of the file it is about (IMAGE:D:\path inside an image),
// else the tree's path; the line where it is about one.
std::string gcc_report(const TreeCheck& check);
// SARIF 2.1.0 for code-scanning services: one run, the rules from the
// table of findings, each result with its location.
std::string sarif_report(const TreeCheck& check, const std::string& version);
// One self-contained HTML page: what a double-click does for each language
// on each release (grouped where they agree), the findings with their
// places, the tree described.
std::string html_report(const TreeCheck& check, const std::string& version);
// The releases of Windows and what each does, as a Markdown table
// (--list-releases; the README shows the same).
std::string release_table();

}  // namespace checker
