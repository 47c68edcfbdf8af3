// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// A recording stand-in for the operating system. Each test sets up what the
// "system" holds (command line, registry value, profile file, files on disk,
// launch results) and reads back the log of operations in the order they ran.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace fake {

struct Start {
  std::string file;
  std::string parameters;
  std::string directory;
  int show;
};

class FakePlatform final : public platform::Platform {
 public:
  // --- what the system holds ---
  std::string command_line_text = "launcher.exe";
  uint32_t startup_flags = 0;
  uint16_t startup_show = 0;
  uint8_t lead_bytes[platform::kLeadByteTableSize] = {};
  std::string own_path_text = "E:\\launcher.exe";
  std::optional<uint32_t> own_path_result;  // overrides the returned length
  long open_result = 0;
  long query_result = 0;
  std::string locale = "00000409";         // the registry value, bytes as stored
  bool locale_without_terminator = false;  // fill the whole buffer, no terminator
  uint16_t ui_language = 0x0409;           // the display language; 0: no such call (9x, NT 4.0)
  uint16_t user_lang_id = 0x0409;          // the user's locale
  // profile files by path: section -> key -> value (names without case)
  std::map<std::string, std::map<std::string, std::map<std::string, std::string>>> profiles;
  std::set<std::string> existing_files;
  std::map<std::string, std::string> found_path_for;  // optional override of the found path
  std::deque<intptr_t> start_results;                 // popped per start; 42 when empty
  // Windows 95's profile reader: when it falls back on the default, it cuts
  // the default's trailing blanks in place, storing a terminator into the
  // caller's string. A default in read-only memory then faults.
  bool writes_into_default = false;

  // --- what the launcher did ---
  std::vector<std::string> log;
  std::vector<Start> starts;
  std::vector<std::string> boxes;
  platform::RegKey opened_key = reinterpret_cast<platform::RegKey>(0x1234);

  void set_profile(const std::string& file, const std::string& key, const std::string& value,
                   const std::string& section = "95") {
    profiles[upper(file)][upper(section)][upper(key)] = value;
  }

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

  static std::string upper(std::string s);
};

}  // namespace fake
