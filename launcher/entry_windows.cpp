// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The process entry point: no C runtime starts us, so we start ourselves.
#include <windows.h>

#include "launcher/launcher.h"
#include "platform/dll_search.h"
#include "platform/windows_platform.h"

extern "C" void launcher_start() {
  // Before anything can make Windows load a DLL.
  platform::restrict_dll_search_to_system32();
  platform::WindowsPlatform os;
  ExitProcess(static_cast<UINT>(launcher::launcher_main(os)));
}
