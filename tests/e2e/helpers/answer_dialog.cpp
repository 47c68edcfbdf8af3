// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Test helper: waits up to SECONDS for a dialog of another process (a
// message box or the shell's folder dialog), prints what it shows and
// cancels it, as a user pressing Esc:
//   title=<hex> text=<hex> tree=<0|1>   (tree: a folder tree in it)
// Exit status 0 when a dialog was answered, 1 when none came.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string to_hex(const wchar_t* text) {
  char utf8[2048] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof(utf8), nullptr, nullptr);
  std::string out;
  char pair[3];
  for (const char* c = utf8; *c != '\0'; ++c) {
    std::snprintf(pair, sizeof(pair), "%02x", static_cast<unsigned char>(*c));
    out += pair;
  }
  return out;
}

BOOL CALLBACK find_dialog(HWND window, LPARAM param) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char cls[64] = {};
  GetClassNameA(window, cls, sizeof(cls));
  if (pid != GetCurrentProcessId() && std::strcmp(cls, "#32770") == 0 && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
  }
  return TRUE;
}

struct Content {
  std::wstring text;
  bool tree = false;
};

BOOL CALLBACK read_control(HWND control, LPARAM param) {
  auto* content = reinterpret_cast<Content*>(param);
  char cls[64] = {};
  GetClassNameA(control, cls, sizeof(cls));
  wchar_t text[1024] = {};
  GetWindowTextW(control, text, 1024);
  if (lstrcmpiA(cls, "SysTreeView32") == 0) content->tree = true;
  if (lstrcmpiA(cls, "Static") == 0 && text[0] != L'\0') content->text += text;
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  const DWORD seconds = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 60;
  for (DWORD waited = 0; waited < seconds * 10; ++waited) {
    HWND dialog = nullptr;
    EnumWindows(find_dialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr) {
      Sleep(100);
      continue;
    }
    Sleep(500);  // let it finish laying out its controls
    Content content;
    EnumChildWindows(dialog, read_control, reinterpret_cast<LPARAM>(&content));
    wchar_t title[256] = {};
    GetWindowTextW(dialog, title, 256);
    std::printf("title=%s text=%s tree=%d\n", to_hex(title).c_str(),
                to_hex(content.text.c_str()).c_str(), content.tree ? 1 : 0);
    std::fflush(stdout);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return 0;
  }
  return 1;
}
