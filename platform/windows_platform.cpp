// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "platform/windows_platform.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/kernel32_function.h"

namespace platform {

static_assert(sizeof(OFSTRUCT::szPathName) == kFoundPathSize);
static_assert(sizeof(CPINFO::LeadByte) == kLeadByteTableSize);

namespace {
using GetUserDefaultUILanguageFunction = LANGID(WINAPI*)();
static_assert(__is_same(GetUserDefaultUILanguageFunction, decltype(&GetUserDefaultUILanguage)));
}  // namespace

const char* WindowsPlatform::command_line() { return GetCommandLineA(); }

void WindowsPlatform::startup_info(uint32_t* flags, uint16_t* show_window) {
  STARTUPINFOA info;
  info.cb = sizeof(info);
  info.dwFlags = 0;
  info.wShowWindow = 0;
  GetStartupInfoA(&info);
  *flags = info.dwFlags;
  *show_window = info.wShowWindow;
}

void WindowsPlatform::lead_byte_ranges(uint8_t ranges[kLeadByteTableSize]) {
  CPINFO info;
  for (BYTE& b : info.LeadByte) b = 0;
  if (!GetCPInfo(GetACP(), &info)) return;
  for (int i = 0; i < kLeadByteTableSize; ++i) ranges[i] = info.LeadByte[i];
}

uint32_t WindowsPlatform::own_path(char* buffer, uint32_t size) {
  return GetModuleFileNameA(GetModuleHandleA(nullptr), buffer, size);
}

long WindowsPlatform::open_user_key(const char* subkey, RegKey* key) {
  HKEY opened = nullptr;
  const LONG result = RegOpenKeyA(HKEY_CURRENT_USER, subkey, &opened);
  // What a failed open leaves in its handle is not promised anywhere.
  *key = result == ERROR_SUCCESS ? opened : nullptr;
  return result;
}

long WindowsPlatform::query_value(RegKey key, const char* subkey, char* data, long* size) {
  LONG length = *size;
  const LONG result = RegQueryValueA(static_cast<HKEY>(key), subkey, data, &length);
  *size = length;
  return result;
}

void WindowsPlatform::close_key(RegKey key) { RegCloseKey(static_cast<HKEY>(key)); }

uint16_t WindowsPlatform::display_language() {
  const FARPROC found = kernel32_function("GetUserDefaultUILanguage");
  return found == nullptr ? 0 : as_function<GetUserDefaultUILanguageFunction>(found)();
}

uint16_t WindowsPlatform::user_locale() { return GetUserDefaultLangID(); }

int WindowsPlatform::compare_no_case(const char* a, const char* b) { return lstrcmpiA(a, b); }

void WindowsPlatform::format_text(char* out, const char* format) { wsprintfA(out, format); }

uint32_t WindowsPlatform::profile_string(const char* section, const char* key, const char* fallback,
                                         char* out, uint32_t size, const char* file) {
  return GetPrivateProfileStringA(section, key, fallback, out, size, file);
}

// GetFileAttributesA, which Windows 95 exports and which takes drive and
// UNC paths of any length up to MAX_PATH.
bool WindowsPlatform::is_file(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool WindowsPlatform::file_exists(const char* path, char found[kFoundPathSize]) {
  OFSTRUCT record;
  record.cBytes = sizeof(record);
  record.szPathName[0] = '\0';
  if (OpenFile(path, &record, OF_EXIST) == HFILE_ERROR) return false;
  for (int i = 0; i < kFoundPathSize; ++i) found[i] = record.szPathName[i];
  found[kFoundPathSize - 1] = '\0';
  return true;
}

intptr_t WindowsPlatform::start_program(const char* file, const char* parameters,
                                        const char* directory, int show) {
  return reinterpret_cast<intptr_t>(
      ShellExecuteA(nullptr, nullptr, file, parameters, directory, show));
}

void WindowsPlatform::message_box(const char* text, uint32_t style) {
  MessageBoxA(nullptr, text, nullptr, style);
}

}  // namespace platform
