// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The release table, as --list-releases prints it.
#pragma once

#include <string>

namespace checker {

// The releases of Windows and what each does, as a Markdown table
// (--list-releases; the README shows the same).
std::string release_table();

}  // namespace checker
