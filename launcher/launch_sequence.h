// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The launch sequence: from the install drive to the started setup program.
#pragma once

#include <stdint.h>

#include "platform/platform.h"

namespace launcher {

constexpr uint32_t kProfilePathSize = 260;
constexpr uint32_t kMessageSize = 256;
constexpr char kProfilePath[] = "d:\\install\\quv\\win\\client.ini";
constexpr char kDefaultSetupPath[] = "d:\\products\\win95\\quv_enu\\setup.exe";
constexpr char kNoLanguageMessage[] = "Unable to find Language - 2";

// Runs the sequence once and returns the exit status: 0 when the setup
// program was started, its launch error code when it could not be, and -1
// when the own path has no tree root, or there is no readable locale, no
// matching language or no setup program (or none whose path fits).
int run_launch_sequence(platform::Platform& os, const char* tail, int show);

// Exit status for the setup program's launch result.
int exit_status_for_launch(intptr_t result);

}  // namespace launcher
