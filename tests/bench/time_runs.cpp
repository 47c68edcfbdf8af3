// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Benchmark helper: runs two programs alternately, timing each from process
// creation to its exit, and waits between runs until everything a run started
// has ended, so no run shares the machine with the last one's children.
// Prints one line per pair: "<first µs> <second µs>".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

LARGE_INTEGER frequency;

// Microseconds from creation to exit of `exe` run with `command_line`.
long long timed_run(const char* exe, const std::string& command_line) {
  HANDLE job = CreateJobObjectA(nullptr, nullptr);
  HANDLE port = CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1);
  JOBOBJECT_ASSOCIATE_COMPLETION_PORT association = {job, port};
  SetInformationJobObject(job, JobObjectAssociateCompletionPortInformation, &association,
                          sizeof(association));
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  std::string line = command_line;
  PROCESS_INFORMATION process = {};
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(exe, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "cannot start %s\n", exe);
    std::exit(2);
  }
  AssignProcessToJobObject(job, process.hProcess);
  ResumeThread(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  QueryPerformanceCounter(&end);
  // Let the started programs finish before the next run.
  DWORD message = 0;
  ULONG_PTR key = 0;
  LPOVERLAPPED data = nullptr;
  while (GetQueuedCompletionStatus(port, &message, &key, &data, 10000) &&
         message != JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO) {
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  CloseHandle(job);
  CloseHandle(port);
  return (end.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: time_runs PAIRS FIRST.exe SECOND.exe\n");
    return 2;
  }
  QueryPerformanceFrequency(&frequency);
  const int pairs = std::atoi(argv[1]);
  const std::string first_line = std::string("\"") + argv[2] + "\" /bench";
  const std::string second_line = std::string("\"") + argv[3] + "\" /bench";
  timed_run(argv[2], first_line);  // warm the caches once, untimed
  timed_run(argv[3], second_line);
  for (int i = 0; i < pairs; ++i) {
    // Alternate which goes first, so neither always runs on a warmer system.
    long long a, b;
    if (i % 2 == 0) {
      a = timed_run(argv[2], first_line);
      b = timed_run(argv[3], second_line);
    } else {
      b = timed_run(argv[3], second_line);
      a = timed_run(argv[2], first_line);
    }
    std::printf("%lld %lld\n", a, b);
  }
  return 0;
}
