// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "platform/kernel32_function.h"

namespace platform {

FARPROC kernel32_function(const char* name) {
  return GetProcAddress(GetModuleHandleA("kernel32.dll"), name);
}

}  // namespace platform
