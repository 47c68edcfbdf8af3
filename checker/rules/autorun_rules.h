// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The autorun file that starts the launcher when the disc is inserted, read
// as each release reads it.
#pragma once

#include <string>

#include "checker/rules/tree_check.h"

namespace checker {

inline constexpr char kAutorunDPath[] = "D:\\autorun.inf";
inline constexpr char kLauncherDPath[] = "D:\\launcher.exe";

// Adds the findings about autorun.inf to `result`; returns the program
// inserting the disc starts on `release` in the launcher's place (the
// launcher itself where it starts nothing or cannot be read).
std::string check_autorun(DiscTree& tree, const Release& release, TreeCheck& result);

}  // namespace checker
