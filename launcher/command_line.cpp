// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "launcher/command_line.h"

namespace launcher {

namespace {
bool is_blank(uint8_t c) { return c >= 1 && c <= 32; }
}  // namespace

bool is_lead_byte(uint8_t byte, const uint8_t ranges[platform::kLeadByteTableSize]) {
  for (int i = 0; i + 1 < platform::kLeadByteTableSize; i += 2) {
    const uint8_t first = ranges[i];
    const uint8_t last = ranges[i + 1];
    if (first == 0 && last == 0) break;
    if (byte >= first && byte <= last) return true;
  }
  return false;
}

const char* command_line_tail(const char* line,
                              const uint8_t ranges[platform::kLeadByteTableSize]) {
  const auto* p = reinterpret_cast<const uint8_t*>(line);
  if (*p == '"') {
    ++p;
    while (*p != '\0' && *p != '"') {
      // A lead byte takes its trail byte with it, unless the text ends there.
      p += (is_lead_byte(*p, ranges) && p[1] != '\0') ? 2 : 1;
    }
    if (*p == '"') ++p;
  } else if (*p > 32) {
    while (*p > 32) ++p;
  }
  while (is_blank(*p)) ++p;
  return reinterpret_cast<const char*>(p);
}

int show_state(uint32_t startup_flags, uint16_t show_window) {
  return (startup_flags & platform::kStartfUseShowWindow) != 0 ? show_window
                                                               : platform::kShowDefault;
}

}  // namespace launcher
