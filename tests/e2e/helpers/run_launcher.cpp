// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Test helper: starts the launcher exactly as a test case says (command line,
// show state, registry locale), answers its message box the way a user would,
// waits for everything it started, and prints what happened:
//   box=<hex text> caption=<hex> buttons=<names> icon=<0|1>  (per message box)
//   started=<pid>,...   processes in the launcher's job, in start order
//   exit=<exit code>
// Texts that may hold any byte travel as hex, in both directions.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string from_hex(const char* hex) {
  std::string out;
  for (size_t i = 0; hex[i] != '\0' && hex[i + 1] != '\0'; i += 2) {
    char pair[3] = {hex[i], hex[i + 1], '\0'};
    out.push_back(static_cast<char>(std::strtoul(pair, nullptr, 16)));
  }
  return out;
}

std::string to_hex(const std::string& text) {
  std::string out;
  char pair[3];
  for (unsigned char c : text) {
    std::snprintf(pair, sizeof(pair), "%02x", c);
    out += pair;
  }
  return out;
}

const char kDesktop[] = "Control Panel\\Desktop";

// Sets, or removes, the locale the launcher will read.
bool prepare_registry(const char* mode, const std::string& value) {
  HKEY desktop = nullptr;
  if (RegCreateKeyA(HKEY_CURRENT_USER, kDesktop, &desktop) != ERROR_SUCCESS) return false;
  RegDeleteKeyA(desktop, "ResourceLocale");
  RegDeleteValueA(desktop, "ResourceLocale");
  bool ok = true;
  if (std::strcmp(mode, "subkey") == 0) {
    ok = RegSetValueA(desktop, "ResourceLocale", REG_SZ, value.c_str(),
                      static_cast<DWORD>(value.size())) == ERROR_SUCCESS;
  } else if (std::strcmp(mode, "named") == 0) {
    ok = RegSetValueExA(desktop, "ResourceLocale", 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
  }
  RegCloseKey(desktop);
  return ok;
}

struct BoxSearch {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK find_box(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<BoxSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char cls[64] = {};
  GetClassNameA(window, cls, sizeof(cls));
  if (pid == search->pid && std::strcmp(cls, "#32770") == 0 && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

struct BoxContent {
  std::string text;
  std::string buttons;
  bool icon = false;
};

BOOL CALLBACK read_control(HWND control, LPARAM param) {
  auto* box = reinterpret_cast<BoxContent*>(param);
  char cls[64] = {};
  GetClassNameA(control, cls, sizeof(cls));
  char text[1024] = {};
  GetWindowTextA(control, text, sizeof(text));
  if (lstrcmpiA(cls, "Static") == 0) {
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON) {
      box->icon = true;
    } else if (text[0] != '\0') {
      box->text = text;
    }
  } else if (lstrcmpiA(cls, "Button") == 0 && IsWindowVisible(control)) {
    if (!box->buttons.empty()) box->buttons += ",";
    box->buttons += text;
  }
  return TRUE;
}

// Reads and closes the launcher's message box, if one is up.
void answer_box(DWORD pid) {
  BoxSearch search = {pid, nullptr};
  EnumWindows(find_box, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) return;
  Sleep(100);  // let the box finish laying out its controls
  BoxContent box;
  EnumChildWindows(search.found, read_control, reinterpret_cast<LPARAM>(&box));
  char caption[256] = {};
  GetWindowTextA(search.found, caption, sizeof(caption));
  std::printf("box=%s caption=%s buttons=%s icon=%d\n", to_hex(box.text).c_str(),
              to_hex(caption).c_str(), box.buttons.c_str(), box.icon ? 1 : 0);
  std::fflush(stdout);
  SendMessageA(search.found, WM_COMMAND, IDOK, 0);
}

// Wine's own desktop process (explorer.exe): Wine starts it from a process
// that touches the desktop when none runs, which may be the launcher inside
// the job, the previous one having just ended. It is neither the launcher's
// program nor anything the launcher waits for.
bool is_wine_desktop(DWORD pid, HANDLE* process) {
  *process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid);
  if (*process == nullptr) return false;
  char name[MAX_PATH] = {};
  DWORD size = sizeof(name);
  const bool named = QueryFullProcessImageNameA(*process, 0, name, &size) != 0;
  const char* base = std::strrchr(name, '\\');
  if (named && lstrcmpiA(base ? base + 1 : name, "explorer.exe") == 0) return true;
  CloseHandle(*process);
  *process = nullptr;
  return false;
}

// How many of Wine's desktop processes in the job still run.
DWORD desktops_running(const std::vector<HANDLE>& desktops) {
  DWORD running = 0;
  for (HANDLE h : desktops) running += WaitForSingleObject(h, 0) != WAIT_OBJECT_0;
  return running;
}

}  // namespace

int main(int argc, char** argv) {
  const char* exe = nullptr;
  std::string command_line;
  int show = -1;
  const char* locale_mode = "none";
  std::string locale;
  DWORD settle_ms = 15000;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--exe")
      exe = argv[i + 1];
    else if (option == "--cmdline")
      command_line = from_hex(argv[i + 1]);
    else if (option == "--show")
      show = std::atoi(argv[i + 1]);
    else if (option == "--locale")
      locale_mode = "subkey", locale = from_hex(argv[i + 1]);
    else if (option == "--named-locale")
      locale_mode = "named", locale = from_hex(argv[i + 1]);
    else if (option == "--settle-ms")
      settle_ms = static_cast<DWORD>(std::atoi(argv[i + 1]));
  }
  if (exe == nullptr) {
    std::fprintf(stderr,
                 "usage: run_launcher --exe PATH [--cmdline HEX] [--show N] "
                 "[--locale HEX | --named-locale HEX]\n");
    return 2;
  }
  if (!prepare_registry(locale_mode, locale)) {
    std::fprintf(stderr, "cannot set the registry\n");
    return 2;
  }

  // Wine starts its desktop process (explorer.exe) from the first process
  // of a prefix that touches the desktop: let that be this one, not the
  // launcher inside the job, where it would keep the job from ever ending.
  GetDesktopWindow();
  HANDLE job = CreateJobObjectA(nullptr, nullptr);
  HANDLE port = CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1);
  JOBOBJECT_ASSOCIATE_COMPLETION_PORT association = {job, port};
  if (!SetInformationJobObject(job, JobObjectAssociateCompletionPortInformation, &association,
                               sizeof(association))) {
    std::fprintf(stderr, "no job completion port\n");
    return 2;
  }

  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  if (show >= 0) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
  }
  std::vector<char> line(command_line.begin(), command_line.end());
  line.push_back('\0');
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(exe, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "cannot start %s: %lu\n", exe, GetLastError());
    return 2;
  }
  AssignProcessToJobObject(job, process.hProcess);
  ResumeThread(process.hThread);

  // Watch the job until every process in it has ended, answering boxes.
  std::string started;
  std::vector<HANDLE> desktops;  // Wine's, started in the job
  const auto record = [&](LPOVERLAPPED data) {
    const auto pid = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(data));
    HANDLE desktop = nullptr;
    if (is_wine_desktop(pid, &desktop)) {
      desktops.push_back(desktop);
      return;
    }
    if (!started.empty()) started += ",";
    started += std::to_string(pid);
  };
  bool launcher_done = false;
  DWORD quiet_since = GetTickCount();
  for (;;) {
    DWORD message = 0;
    ULONG_PTR key = 0;
    LPOVERLAPPED data = nullptr;
    if (GetQueuedCompletionStatus(port, &message, &key, &data, 20)) {
      quiet_since = GetTickCount();
      if (message == JOB_OBJECT_MSG_NEW_PROCESS) {
        record(data);
      } else if (message == JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO) {
        break;
      }
    }
    if (!launcher_done) {
      launcher_done = WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
      if (!launcher_done) answer_box(process.dwProcessId);
    }
    // Wine, under load, now and then never posts the job's last message,
    // and its desktop process may run on in the job: the job's own count
    // says when every other process has ended, and the messages still
    // queued say which were started.
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION counts = {};
    if (launcher_done &&
        QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &counts, sizeof(counts),
                                  nullptr) &&
        counts.ActiveProcesses <= desktops_running(desktops)) {
      while (GetQueuedCompletionStatus(port, &message, &key, &data, 0)) {
        if (message == JOB_OBJECT_MSG_NEW_PROCESS) record(data);
      }
      if (counts.ActiveProcesses <= desktops_running(desktops)) break;
    }
    if (GetTickCount() - quiet_since > settle_ms) {
      std::fprintf(stderr, "processes still running after %lu ms\n", settle_ms);
      TerminateJobObject(job, 99);
      return 2;
    }
  }
  DWORD exit_code = 0;
  GetExitCodeProcess(process.hProcess, &exit_code);
  std::printf("launcher=%lu\nstarted=%s\nexit=%lu\n", process.dwProcessId, started.c_str(),
              exit_code);
  return 0;
}
