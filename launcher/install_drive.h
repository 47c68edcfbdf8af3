// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The install drive: the drive the launcher was started from. Every path of
// the installation tree is written for drive D and moved onto it.
#pragma once

#include <stdint.h>

namespace launcher {

// True when the own path (of `length` characters) begins with a drive letter
// and a colon. A UNC or otherwise driveless path has no install drive.
bool has_install_drive(const char* own_path, uint32_t length);

// Replaces the first two characters of `path` with the install drive. Only
// those two bytes are written; the rest of the buffer stays as it is.
inline void rebase_onto_drive(char* path, const char* own_path) {
  path[0] = own_path[0];
  path[1] = own_path[1];
}

}  // namespace launcher
