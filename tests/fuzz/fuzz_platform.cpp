// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "tests/fuzz/fuzz_platform.h"

#include <cstring>
#include <iterator>

#include "tests/fuzz/fuzz_check.h"

namespace fuzz {

namespace {
char fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Writes a profile value as GetPrivateProfileStringA does: at most size - 1
// bytes and a terminator, nothing beyond.
uint32_t write_value(const std::string& value, char* out, uint32_t size) {
  const size_t n = std::min<size_t>(std::strlen(value.c_str()), size - 1);
  std::memcpy(out, value.data(), n);
  out[n] = '\0';
  return static_cast<uint32_t>(n);
}
}  // namespace

bool ascii_equal_no_case(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    if (fold(*a) != fold(*b)) return false;
  }
  return *a == *b;
}

const char* FuzzPlatform::command_line() {
  ops.push_back("command_line");
  command_line_text = in_.ConsumeRandomLengthString(400);
  return command_line_text.c_str();
}

void FuzzPlatform::startup_info(uint32_t* flags, uint16_t* show_window) {
  ops.push_back("startup_info");
  *flags = in_.ConsumeIntegral<uint32_t>();
  *show_window = in_.ConsumeIntegral<uint16_t>();
}

void FuzzPlatform::lead_byte_ranges(uint8_t ranges[platform::kLeadByteTableSize]) {
  ops.push_back("lead_byte_ranges");
  if (in_.ConsumeBool()) {
    for (int i = 0; i < platform::kLeadByteTableSize; ++i)
      ranges[i] = in_.ConsumeIntegral<uint8_t>();
  }
}

// Own paths of every shape: any bytes, a drive, a share, the "\\?\" and
// "\\.\" forms, each with folders of any depth below.
std::string FuzzPlatform::own_path_shape() {
  static const char* const kStarts[] = {
      "", "E:", "e:", "\\\\srv\\share", "\\\\?\\E:", "\\\\.\\E:", "\\\\?\\UNC\\srv\\share"};
  const size_t shape = in_.ConsumeIntegralInRange<size_t>(0, std::size(kStarts));
  if (shape == std::size(kStarts)) return in_.ConsumeRandomLengthString(300);
  std::string path = kStarts[shape];
  for (int folders = in_.ConsumeIntegralInRange(0, 8); folders > 0; --folders) {
    path += "\\" + in_.ConsumeRandomLengthString(60);
  }
  return path + "\\launcher.exe";
}

uint32_t FuzzPlatform::own_path(char* buffer, uint32_t size) {
  ops.push_back("own_path");
  FUZZ_CHECK(size == 260);
  const std::string path = own_path_shape();
  switch (in_.ConsumeIntegralInRange(0, 2)) {
    case 0: {  // read; cut and terminated
      const size_t n = std::min<size_t>(path.size(), size - 1);
      std::memcpy(buffer, path.data(), n);
      buffer[n] = '\0';
      own_path_text.assign(buffer, n);
      own_path_read = true;
      own_path_length = static_cast<uint32_t>(n);
      return own_path_length;
    }
    case 1:  // failed; nothing written
      return 0;
    default: {  // cut to the buffer without a terminator, as Windows XP does
      const size_t n = std::min<size_t>(path.size(), size);
      std::memcpy(buffer, path.data(), n);
      own_path_text.assign(buffer, n);
      own_path_read = true;
      own_path_length = static_cast<uint32_t>(n);
      return own_path_length;
    }
  }
}

long FuzzPlatform::open_user_key(const char* subkey, platform::RegKey* key) {
  ops.push_back("open_user_key");
  FUZZ_CHECK(std::strcmp(subkey, "Control Panel\\Desktop") == 0);
  open_ok = in_.ConsumeBool();
  *key = open_ok ? key_ : nullptr;
  return open_ok ? 0 : in_.ConsumeIntegralInRange<long>(1, 1000);
}

long FuzzPlatform::query_value(platform::RegKey key, const char* subkey, char* data, long* size) {
  ops.push_back("query_value");
  FUZZ_CHECK(key == key_);
  FUZZ_CHECK(std::strcmp(subkey, "ResourceLocale") == 0);
  FUZZ_CHECK(*size == 80);
  query_ok = in_.ConsumeBool();
  if (!query_ok) return in_.ConsumeIntegralInRange<long>(1, 1000);
  // Any bytes up to the buffer's size, with or without a terminator.
  const std::string value = in_.ConsumeRandomLengthString(static_cast<size_t>(*size));
  std::memcpy(data, value.data(), value.size());
  if (in_.ConsumeBool() && value.size() < static_cast<size_t>(*size)) data[value.size()] = '\0';
  *size = static_cast<long>(value.size());
  return 0;
}

void FuzzPlatform::close_key(platform::RegKey key) {
  ops.push_back("close_key");
  FUZZ_CHECK(open_ok && key == key_);
}

// Often one of the table's languages or none at all, else any id.
uint16_t FuzzPlatform::language_id() {
  constexpr int kPrimaries[] = {0x16, 0x09, 0x0C, 0x10, 0x07, 0x0A};
  switch (in_.ConsumeIntegralInRange(0, 2)) {
    case 0: return 0;
    case 1: return static_cast<uint16_t>(0x0400 | in_.PickValueInArray(kPrimaries));
    default: return in_.ConsumeIntegral<uint16_t>();
  }
}

uint16_t FuzzPlatform::display_language() {
  ops.push_back("display_language");
  ui_language = language_id();
  return ui_language;
}

uint16_t FuzzPlatform::user_locale() {
  ops.push_back("user_locale");
  user_lang_id = language_id();
  return user_lang_id;
}

int FuzzPlatform::compare_no_case(const char* a, const char* b) {
  ops.push_back("compare_no_case");
  FUZZ_CHECK(terminated_within(a, 80));
  FUZZ_CHECK(terminated_within(b, 3));
  last_compare_equal = ascii_equal_no_case(a, b);
  return last_compare_equal ? 0 : 1;
}

void FuzzPlatform::format_text(char* out, const char* format) {
  ops.push_back("format_text");
  FUZZ_CHECK(std::strcmp(format, "Unable to find Language - 2") == 0);
  std::strcpy(out, format);
}

uint32_t FuzzPlatform::profile_string(const char* section, const char* key, const char* fallback,
                                      char* out, uint32_t size, const char* file) {
  ops.push_back(size == 15 ? "profile_group" : "profile_setup");
  FUZZ_CHECK(std::strcmp(section, "95") == 0);
  FUZZ_CHECK(terminated_within(file, 260));
  FUZZ_CHECK(profile_file.empty() || profile_file == file);
  profile_file = file;
  FUZZ_CHECK(terminated_within(key, 32));
  FUZZ_CHECK(size == 260 || size == 15);
  FUZZ_CHECK(std::strcmp(fallback,
                         size == 15 ? "STARTUP" : "d:\\products\\win95\\quv_enu\\setup.exe") == 0);
  // Missing file or key: the fallback; else any value, any length.
  const std::string value =
      in_.ConsumeBool() ? std::string(fallback) : in_.ConsumeRandomLengthString(400);
  const uint32_t n = write_value(value, out, size);
  if (size == 15) group_value.assign(out, n);
  if (size == 260) setup_value.assign(out, n);
  return n;
}

bool FuzzPlatform::is_file(const char* path) {
  ops.push_back("is_file");
  FUZZ_CHECK(terminated_within(path, 260));
  probed.emplace_back(path);
  probe_result = in_.ConsumeBool();
  return probe_result;
}

bool FuzzPlatform::file_exists(const char* path, char found[platform::kFoundPathSize]) {
  ops.push_back("file_exists");
  FUZZ_CHECK(terminated_within(path, 260));
  tested_path = path;
  exists_result = in_.ConsumeBool();
  if (!exists_result) return false;
  found_path = in_.ConsumeBool() ? std::string(path) : in_.ConsumeRandomLengthString(127);
  found_path = found_path.substr(0, std::min<size_t>(std::strlen(found_path.c_str()), 127));
  std::memcpy(found, found_path.c_str(), found_path.size() + 1);
  return true;
}

intptr_t FuzzPlatform::start_program(const char* file, const char* parameters,
                                     const char* directory, int show) {
  ops.push_back("start_program");
  FUZZ_CHECK(terminated_within(file, 260));
  FUZZ_CHECK(terminated_within(directory, 1));
  start_files.emplace_back(file);
  start_parameters.emplace_back(parameters);
  start_directories.emplace_back(directory);
  start_shows.push_back(show);
  start_results.push_back(in_.ConsumeIntegral<intptr_t>());
  return start_results.back();
}

void FuzzPlatform::message_box(const char* text, uint32_t style) {
  ops.push_back("message_box");
  FUZZ_CHECK(std::strcmp(text, "Unable to find Language - 2") == 0);
  FUZZ_CHECK(style == 0x10);
}

}  // namespace fuzz
