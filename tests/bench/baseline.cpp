// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Benchmark baseline: makes the same two program starts as the launcher, with
// the same texts and show commands, and nothing else. Built like the launcher
// (no C runtime), so the ratio measures the launcher's own work.
#include <windows.h>
#include <shellapi.h>

extern "C" void baseline_start() {
  ShellExecuteA(nullptr, nullptr, "E:\\install\\quv\\win\\addiconw.exe",
                "exe=c:\\brumix\\kez.exe desc=KEZ group=StartUp", "", SW_SHOWMINIMIZED);
  ShellExecuteA(nullptr, nullptr, "E:\\products\\win95\\quv_enu\\setup.exe", "/bench", "",
                SW_SHOWNORMAL);
  ExitProcess(0);
}
