// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Stand-in for the programs the launcher starts (the icon tool and the setup
// programs). Appends one line to the file named by E2E_RECORD saying who it
// is, how it was started, and with what command line, then exits.
#include <windows.h>

#include <cstdio>

int main() {
  char record_path[MAX_PATH];
  if (GetEnvironmentVariableA("E2E_RECORD", record_path, sizeof(record_path)) == 0) return 3;

  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, sizeof(module));
  STARTUPINFOA info = {};
  info.cb = sizeof(info);
  GetStartupInfoA(&info);

  // The command line as hex, so that any byte survives the record.
  const char* line = GetCommandLineA();
  static char hex[2 * 32768 + 1];
  size_t n = 0;
  for (const char* p = line; *p != '\0' && n + 2 < sizeof(hex); ++p) {
    n += std::snprintf(hex + n, 3, "%02x", static_cast<unsigned char>(*p));
  }
  hex[n] = '\0';

  static char record[sizeof(hex) + 1024];
  const int length =
      std::snprintf(record, sizeof(record), "pid=%lu|module=%s|flags=%lu|show=%u|cmdline=%s\n",
                    GetCurrentProcessId(), module, info.dwFlags, info.wShowWindow, hex);

  // One appending write per record: concurrent stand-ins do not interleave.
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 200 && file == INVALID_HANDLE_VALUE; ++attempt) {
    file = CreateFileA(record_path, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) Sleep(10);
  }
  if (file == INVALID_HANDLE_VALUE) return 4;
  DWORD written = 0;
  WriteFile(file, record, static_cast<DWORD>(length), &written, nullptr);
  CloseHandle(file);
  return 0;
}
