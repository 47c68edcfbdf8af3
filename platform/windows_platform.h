// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The platform operations over the ANSI Win32 API.
#pragma once

#include "platform/platform.h"

namespace platform {

class WindowsPlatform final : public Platform {
 public:
  const char* command_line() override;
  void startup_info(uint32_t* flags, uint16_t* show_window) override;
  void lead_byte_ranges(uint8_t ranges[kLeadByteTableSize]) override;
  uint32_t own_path(char* buffer, uint32_t size) override;
  long open_user_key(const char* subkey, RegKey* key) override;
  long query_value(RegKey key, const char* subkey, char* data, long* size) override;
  void close_key(RegKey key) override;
  uint16_t display_language() override;
  uint16_t user_locale() override;
  int compare_no_case(const char* a, const char* b) override;
  void format_text(char* out, const char* format) override;
  uint32_t profile_string(const char* section, const char* key, const char* fallback, char* out,
                          uint32_t size, const char* file) override;
  bool is_file(const char* path) override;
  bool file_exists(const char* path, char found[kFoundPathSize]) override;
  intptr_t start_program(const char* file, const char* parameters, const char* directory,
                         int show) override;
  void message_box(const char* text, uint32_t style) override;
};

}  // namespace platform
