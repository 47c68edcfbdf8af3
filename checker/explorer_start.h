// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// launcher-check.exe started by Explorer: a folder or an image dropped on
// it, or a double-click. Its console is its own and closes with it, so the
// report goes to a page in the user's temporary folder, opened in the
// browser, and what ends the run early is said in a message box.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace checker {

// The command line's arguments after the program's name, in UTF-8 (the
// wide command line: a name in any script survives).
std::vector<std::string> wide_arguments();

// Whether this process is alone on a console that has a window and is its
// output: Explorer made that console for it. A console window that another
// program (cmd, PowerShell, a terminal) shares, output into a file or a
// pipe, and Windows 2000, which cannot tell, all count as a console start.
bool started_alone();

// Closes the console Explorer made, so that no empty window stays open.
void leave_console();

// The folder or disc image the user picks with the shell's folder dialog
// (files shown too); none when they cancel.
std::optional<std::string> ask_for_tree();

// A message box, of an error or of information.
void tell(const std::string& text, bool error);

// Writes `page` (UTF-8) to "launcher-check NAME.html" in the user's
// temporary folder, NAME taken from the tree's last name; its path, or
// none with `error` said.
std::optional<std::string> write_page(const std::string& tree, const std::string& page,
                                      std::string* error);

// Asks the shell to open the page (the default browser); false when it
// cannot.
bool open_page(const std::string& path);

}  // namespace checker
