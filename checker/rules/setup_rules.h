// The rules about what each language's launch starts: its setup key and
// group key as written, the setup program the file test looks for and how
// each family of Windows starts it; and how each family starts the icon
// tool.
#pragma once

#include <vector>

#include "checker/rules/check.h"
#include "checker/windows/profile_reader.h"

namespace checker {

// Adds the findings about the language's setup program and group to `check`.
void check_language(Tree& tree, const Profile* profile, const CheckOptions& options,
                    LanguageCheck& check);

// Adds a finding when a family does not start the icon tool as a program.
void check_icon_tool_start(Tree& tree, Windows chosen, std::vector<Finding>& findings);

}  // namespace checker
