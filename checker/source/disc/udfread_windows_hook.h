// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
/* Forced into libudfread's sources in the Windows build: the library
   splits paths with strtok_s on Windows, which msvcrt.dll exports only
   from Vista on. mingw-w64's own strtok_r (linked in, not imported) does
   the same on every Windows. */
#ifndef CHECKER_UDFREAD_WINDOWS_HOOK_H
#define CHECKER_UDFREAD_WINDOWS_HOOK_H

#include <string.h>

#define strtok_s strtok_r

#endif
