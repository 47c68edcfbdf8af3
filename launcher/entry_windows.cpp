// The process entry point: no C runtime starts us, so we start ourselves.
#include <windows.h>

#include "launcher/launcher.h"
#include "platform/windows_platform.h"

extern "C" void launcher_start() {
  platform::WindowsPlatform os;
  ExitProcess(static_cast<UINT>(launcher::launcher_main(os)));
}
