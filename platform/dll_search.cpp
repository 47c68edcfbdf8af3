#include "platform/dll_search.h"

#include <windows.h>

namespace platform {

namespace {
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
// Called through a pointer from GetProcAddress, so the compiler cannot see a
// wrong calling convention; on i386 it is part of the type, and a pointer
// declared without WINAPI would unbalance the stack. (decltype does not
// import the function; older Windows lack it.)
static_assert(__is_same(SetDefaultDllDirectoriesFunction, decltype(&SetDefaultDllDirectories)));
constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
}  // namespace

void restrict_dll_search_to_system32() {
  const FARPROC found =
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
  if (found == nullptr) return;
  reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(found))(
      kSearchSystem32);
}

}  // namespace platform
