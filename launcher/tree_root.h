// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The tree's root: where the launcher finds the installation tree. Every path
// of the tree is written for drive D and moved onto the root.
#pragma once

#include <stdint.h>

namespace launcher {

// True when the text (of `length` characters) begins with a drive letter and
// a colon.
bool has_drive(const char* text, uint32_t length);

// The length of the own path's drive ("C:", 2) or share ("\\server\share"),
// as it spells them; 0 for anything else, the "\\?\" and "\\.\" forms among
// them.
uint32_t drive_or_share_length(const char* own_path, uint32_t length);

// Where the own folder ends (its last backslash), or 0 when it has none.
uint32_t own_folder_length(const char* own_path, uint32_t length);

// Moves a path written for drive D (in a buffer of `size` bytes) onto the
// root, the first `root_length` characters of `root`: its first two
// characters give way to the root, whatever they are; the rest, up to its
// terminator, stays byte for byte. False, with the buffer unchanged, when
// the result would not fit.
bool rebase(char* path, uint32_t size, const char* root, uint32_t root_length);

}  // namespace launcher
