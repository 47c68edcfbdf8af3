// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "platform/dll_search.h"

#include "platform/kernel32_function.h"

namespace platform {

namespace {
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
static_assert(__is_same(SetDefaultDllDirectoriesFunction, decltype(&SetDefaultDllDirectories)));
constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
}  // namespace

void restrict_dll_search_to_system32() {
  const FARPROC found = kernel32_function("SetDefaultDllDirectories");
  if (found == nullptr) return;
  as_function<SetDefaultDllDirectoriesFunction>(found)(kSearchSystem32);
}

}  // namespace platform
