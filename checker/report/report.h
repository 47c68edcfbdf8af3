// The tree checker's report: a table for people, a JSON document for tools,
// and compiler-style lines for editors.
#pragma once

#include <string>

#include "checker/rules/check.h"

namespace checker {

std::string text_report(const TreeCheck& check);
std::string json_report(const TreeCheck& check, const std::string& version);
// One finding a line, as compilers write them, for editors and CI logs:
//   path:line: severity: message [code]
// with client.ini's path for a finding about one of its lines, else the
// tree's path without a line.
std::string gcc_report(const TreeCheck& check);

// ANSI text (code page 1252) as UTF-8, for a terminal or a JSON document.
std::string ansi_to_utf8(const std::string& text);

}  // namespace checker
