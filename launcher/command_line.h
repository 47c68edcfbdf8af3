// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Splits the launcher's own program name off its command line.
#pragma once

#include <stdint.h>

#include "platform/platform.h"

namespace launcher {

// True when `byte` lies in one of the lead-byte ranges (pairs ended by a zero pair).
bool is_lead_byte(uint8_t byte, const uint8_t ranges[platform::kLeadByteTableSize]);

// The command line less the program name and the blanks (codes 1 to 32) after it.
// A quoted name may hold blanks; double-byte characters in it are stepped over
// whole so that a trail byte is never taken for a quote. Points into `line`.
const char* command_line_tail(const char* line, const uint8_t ranges[platform::kLeadByteTableSize]);

// The show state handed on to the setup program.
int show_state(uint32_t startup_flags, uint16_t show_window);

}  // namespace launcher
