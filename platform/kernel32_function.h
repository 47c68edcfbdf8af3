// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Functions that only newer Windows offer are found at run time, never
// imported: Windows 95 refuses to load a program that imports a function
// its DLLs lack.
#pragma once

#include <windows.h>

namespace platform {

// The named function of kernel32, or nullptr where this Windows lacks it.
FARPROC kernel32_function(const char* name);

// Calls through a pointer from GetProcAddress hide the calling convention
// from the compiler; on i386 it is part of the type, and a pointer declared
// without WINAPI would unbalance the stack. Each caller checks its type
// against the SDK's declaration with decltype, which imports nothing.
template <typename Function>
Function as_function(FARPROC found) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

}  // namespace platform
