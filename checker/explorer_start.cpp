// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/explorer_start.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "checker/source/wide_text.h"

namespace checker {

namespace {

constexpr wchar_t kTitle[] = L"launcher-check";

// The tree's last name ("E:\" gives "E"), as a file name may hold it.
std::wstring page_name(const std::string& tree) {
  std::wstring name = wide_from_utf8(tree);
  while (!name.empty() && (name.back() == L'\\' || name.back() == L'/' || name.back() == L':')) {
    name.pop_back();
  }
  const size_t slash = name.find_last_of(L"\\/");
  if (slash != std::wstring::npos) name.erase(0, slash + 1);
  for (wchar_t& c : name) {
    if (c < 32 || wcschr(L"<>:\"/\\|?*", c) != nullptr) c = L'_';
  }
  if (name.empty() || name.find_first_not_of(L'_') == std::wstring::npos) name = L"tree";
  return L"launcher-check " + name.substr(0, 100) + L".html";
}

}  // namespace

std::vector<std::string> wide_arguments() {
  std::vector<std::string> args;
  int count = 0;
  wchar_t** given = CommandLineToArgvW(GetCommandLineW(), &count);
  if (given == nullptr) return args;
  for (int i = 1; i < count; ++i) args.push_back(utf8_from_wide(given[i]));
  LocalFree(given);
  return args;
}

bool started_alone() {
  // Windows XP and later; looked up, so that the file still loads on 2000.
  using ProcessList = DWORD(WINAPI*)(LPDWORD, DWORD);
  const auto process_list = reinterpret_cast<ProcessList>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetConsoleProcessList")));
  if (process_list == nullptr) return false;
  DWORD ids[2];
  if (process_list(ids, 2) != 1) return false;
  // Wine run from a terminal gives a console without a window.
  return GetConsoleWindow() != nullptr &&
         GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_CHAR;
}

void leave_console() { FreeConsole(); }

std::optional<std::string> ask_for_tree() {
  const HRESULT com = CoInitialize(nullptr);
  BROWSEINFOW browse{};
  browse.lpszTitle =
      L"Check what the launcher does: pick the folder that is the root of "
      L"the installation medium, or a disc image (.iso).";
  browse.ulFlags = BIF_BROWSEINCLUDEFILES;
  std::optional<std::string> picked;
  if (LPITEMIDLIST item = SHBrowseForFolderW(&browse)) {
    wchar_t path[MAX_PATH];
    if (SHGetPathFromIDListW(item, path)) {
      picked = utf8_from_wide(path);
    } else {
      tell("That is not a folder or a file: pick the tree's folder or a disc image.", true);
    }
    CoTaskMemFree(item);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return picked;
}

void tell(const std::string& text, bool error) {
  MessageBoxW(nullptr, wide_from_utf8(text).c_str(), kTitle,
              MB_OK | MB_SETFOREGROUND | (error ? MB_ICONERROR : MB_ICONINFORMATION));
}

std::optional<std::string> write_page(const std::string& tree, const std::string& page,
                                      std::string* error) {
  wchar_t folder[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) {
    *error = "The temporary folder (TEMP) cannot be found.";
    return std::nullopt;
  }
  const std::wstring path = folder + page_name(tree);
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  const bool done =
      file != INVALID_HANDLE_VALUE &&
      WriteFile(file, page.data(), static_cast<DWORD>(page.size()), &written, nullptr) &&
      written == page.size();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!done) {
    *error = "The report could not be written to " + utf8_from_wide(path.c_str()) + ".";
    return std::nullopt;
  }
  return utf8_from_wide(path.c_str());
}

bool open_page(const std::string& path) {
  const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
      nullptr, L"open", wide_from_utf8(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

}  // namespace checker
