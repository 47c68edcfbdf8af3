// The tree checker's report: a table for people, a JSON document for tools.
#pragma once

#include <string>

#include "checker/check.h"

namespace checker {

std::string text_report(const TreeCheck& check);
std::string json_report(const TreeCheck& check, const std::string& version);

// ANSI text (code page 1252) as UTF-8, for a terminal or a JSON document.
std::string ansi_to_utf8(const std::string& text);

}  // namespace checker
