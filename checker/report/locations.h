// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Where a finding points a reader: the findings of a check in report
// order, and the file and line an editor or a code-scanning service opens.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "checker/rules/tree_check.h"

namespace checker {

// Every finding with the language it is about ("" for the tree), errors
// first, each severity in the order found.
std::vector<std::pair<std::string, const Finding*>> all_findings(const TreeCheck& check);

// Where a file of the tree is for an editor: the host file the check found
// ("up/INSTALL/QUV/WIN/CLIENT.INI"); in an image, IMAGE:D:\path; else the
// path below the tree's folder, as the launcher spells it.
std::string editor_path(const TreeCheck& check, const std::string& d_path);

// The finding's file for an editor (the tree itself when it is about the
// whole tree), with ":line" where it has one.
std::string editor_location(const TreeCheck& check, const Finding& f);

// The three starts a report shows: the icon tool's (started first,
// minimised) and the setup program's; nullptr when not started.
const ProgramStart* icon_start(const LanguageCheck& l);
const ProgramStart* setup_start(const LanguageCheck& l);

}  // namespace checker
