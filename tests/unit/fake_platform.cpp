// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "tests/unit/fake_platform.h"

#include <cstring>

namespace fake {

std::string FakePlatform::upper(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

const char* FakePlatform::command_line() {
  log.push_back("command_line");
  return command_line_text.c_str();
}

void FakePlatform::startup_info(uint32_t* flags, uint16_t* show_window) {
  log.push_back("startup_info");
  *flags = startup_flags;
  *show_window = startup_show;
}

void FakePlatform::lead_byte_ranges(uint8_t ranges[platform::kLeadByteTableSize]) {
  log.push_back("lead_byte_ranges");
  std::memcpy(ranges, lead_bytes, platform::kLeadByteTableSize);
}

uint32_t FakePlatform::own_path(char* buffer, uint32_t size) {
  log.push_back("own_path(" + std::to_string(size) + ")");
  // Like GetModuleFileNameA: cut to size - 1 and terminated.
  const size_t n = std::min<size_t>(own_path_text.size(), size - 1);
  std::memcpy(buffer, own_path_text.data(), n);
  buffer[n] = '\0';
  return own_path_result.value_or(static_cast<uint32_t>(n));
}

long FakePlatform::open_user_key(const char* subkey, platform::RegKey* key) {
  log.push_back(std::string("open_user_key(") + subkey + ")");
  *key = open_result == 0 ? opened_key : nullptr;
  return open_result;
}

long FakePlatform::query_value(platform::RegKey key, const char* subkey, char* data, long* size) {
  log.push_back(std::string("query_value(") + (key == opened_key ? "opened" : "other") + "," +
                subkey + "," + std::to_string(*size) + ")");
  if (query_result != 0) return query_result;
  if (locale_without_terminator) {
    const size_t n = std::min<size_t>(locale.size(), static_cast<size_t>(*size));
    std::memcpy(data, locale.data(), n);
    return 0;
  }
  // Like RegQueryValueA: the value with its terminator, or ERROR_MORE_DATA.
  const long needed = static_cast<long>(locale.size()) + 1;
  if (needed > *size) return 234;
  std::memcpy(data, locale.c_str(), static_cast<size_t>(needed));
  *size = needed;
  return 0;
}

void FakePlatform::close_key(platform::RegKey key) {
  log.push_back(std::string("close_key(") + (key == opened_key ? "opened" : "other") + ")");
}

uint16_t FakePlatform::display_language() {
  log.push_back("display_language");
  return ui_language;
}

uint16_t FakePlatform::user_locale() {
  log.push_back("user_locale");
  return user_lang_id;
}

int FakePlatform::compare_no_case(const char* a, const char* b) {
  log.push_back(std::string("compare_no_case(") + a + "," + b + ")");
  return upper(a) == upper(b) ? 0 : 1;
}

void FakePlatform::format_text(char* out, const char* format) {
  log.push_back(std::string("format_text(") + format + ")");
  std::strcpy(out, format);
}

uint32_t FakePlatform::profile_string(const char* section, const char* key, const char* fallback,
                                      char* out, uint32_t size, const char* file) {
  log.push_back(std::string("profile_string(") + section + "," + key + "," + fallback + "," +
                std::to_string(size) + "," + file + ")");
  std::optional<std::string> found;
  const auto f = profiles.find(upper(file));
  if (f != profiles.end()) {
    const auto s = f->second.find(upper(section));
    if (s != f->second.end()) {
      const auto k = s->second.find(upper(key));
      if (k != s->second.end()) found = k->second;
    }
  }
  if (!found && writes_into_default) {
    size_t end = std::strlen(fallback);
    while (end > 0 && fallback[end - 1] == ' ') --end;
    const_cast<char*>(fallback)[end] = '\0';
  }
  const std::string value = found.value_or(fallback);
  // Only the value (cut to size - 1) and its terminator are written.
  const size_t n = std::min<size_t>(value.size(), size - 1);
  std::memcpy(out, value.data(), n);
  out[n] = '\0';
  return static_cast<uint32_t>(n);
}

bool FakePlatform::is_file(const char* path) {
  log.push_back(std::string("is_file(") + path + ")");
  return profiles.count(upper(path)) != 0 || existing_files.count(path) != 0;
}

bool FakePlatform::file_exists(const char* path, char found[platform::kFoundPathSize]) {
  log.push_back(std::string("file_exists(") + path + ")");
  if (existing_files.count(path) == 0) return false;
  const auto o = found_path_for.find(path);
  const std::string full = o != found_path_for.end() ? o->second : std::string(path);
  if (full.size() >= platform::kFoundPathSize) return false;  // OpenFile's limit
  std::strcpy(found, full.c_str());
  return true;
}

intptr_t FakePlatform::start_program(const char* file, const char* parameters,
                                     const char* directory, int show) {
  log.push_back(std::string("start_program(") + file + "," + parameters + "," + directory + "," +
                std::to_string(show) + ")");
  starts.push_back({file, parameters, directory, show});
  if (start_results.empty()) return 42;
  const intptr_t r = start_results.front();
  start_results.pop_front();
  return r;
}

void FakePlatform::message_box(const char* text, uint32_t style) {
  log.push_back(std::string("message_box(") + text + "," + std::to_string(style) + ")");
  boxes.emplace_back(text);
}

}  // namespace fake
