// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
/* Forced into libudfread's sources when the checker builds them: the
   library's messages, all written with fprintf(stderr, ...), go to the
   checker's log instead (library_log.cpp). */
#ifndef CHECKER_UDFREAD_LOG_HOOK_H
#define CHECKER_UDFREAD_LOG_HOOK_H

#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif
int checker_udfread_log(FILE* stream, const char* format, ...);
#ifdef __cplusplus
}
#endif

#define fprintf checker_udfread_log

#endif
