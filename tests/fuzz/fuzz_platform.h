// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// A platform whose every answer comes from the fuzzer's bytes, and which
// checks every call it receives: the arguments are terminated inside the
// buffers they live in, and only the operations of a launch happen, in order.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace fuzz {

bool ascii_equal_no_case(const char* a, const char* b);

class FuzzPlatform final : public platform::Platform {
 public:
  FuzzPlatform(const uint8_t* data, size_t size) : in_(data, size) {}

  // What happened, for the target's checks.
  std::vector<std::string> ops;
  std::string command_line_text;
  std::string own_path_text;     // as written into the launcher's buffer
  uint32_t own_path_length = 0;  // as returned
  bool own_path_read = false;
  std::vector<std::string> probed;  // the paths is_file was asked about
  bool probe_result = false;
  std::string profile_file;  // the profile the reads named
  std::string setup_value;   // what the setup read wrote
  bool open_ok = false;
  bool query_ok = false;
  uint16_t ui_language = 0;   // what display_language gave
  uint16_t user_lang_id = 0;  // what user_locale gave
  bool last_compare_equal = false;
  bool exists_result = false;
  std::string found_path;
  std::string tested_path;
  std::string group_value;  // the group the profile read gave
  std::vector<std::string> start_files;
  std::vector<std::string> start_parameters;
  std::vector<std::string> start_directories;
  std::vector<int> start_shows;
  std::vector<intptr_t> start_results;

  const char* command_line() override;
  void startup_info(uint32_t* flags, uint16_t* show_window) override;
  void lead_byte_ranges(uint8_t ranges[platform::kLeadByteTableSize]) override;
  uint32_t own_path(char* buffer, uint32_t size) override;
  long open_user_key(const char* subkey, platform::RegKey* key) override;
  long query_value(platform::RegKey key, const char* subkey, char* data, long* size) override;
  void close_key(platform::RegKey key) override;
  uint16_t display_language() override;
  uint16_t user_locale() override;
  int compare_no_case(const char* a, const char* b) override;
  void format_text(char* out, const char* format) override;
  uint32_t profile_string(const char* section, const char* key, const char* fallback, char* out,
                          uint32_t size, const char* file) override;
  bool is_file(const char* path) override;
  bool file_exists(const char* path, char found[platform::kFoundPathSize]) override;
  intptr_t start_program(const char* file, const char* parameters, const char* directory,
                         int show) override;
  void message_box(const char* text, uint32_t style) override;

 private:
  uint16_t language_id();
  std::string own_path_shape();
  FuzzedDataProvider in_;
  platform::RegKey key_ = reinterpret_cast<platform::RegKey>(0x5eed);
};

}  // namespace fuzz
