#include "checker/tree_platform.h"

#include <cstring>

namespace checker {

namespace {
constexpr intptr_t kStarted = 42;
constexpr intptr_t kFileNotFound = 2;  // ERROR_FILE_NOT_FOUND
constexpr long kMoreData = 234;        // ERROR_MORE_DATA

std::string lower_extension(const std::string& path) {
  const size_t dot = path.find_last_of(".\\/");
  if (dot == std::string::npos || path[dot] != '.') return "";
  std::string extension = path.substr(dot);
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return extension;
}
}  // namespace

// A Windows program: the MZ mark, and the PE signature where the MZ header
// points.
bool is_windows_program(Tree& tree, const std::string& d_path) {
  const auto head = tree.read_file(d_path, 64);
  if (!head || head->size() < 64 || head->compare(0, 2, "MZ") != 0) return false;
  const auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>((*head)[i])); };
  const uint32_t pe = byte(0x3C) | byte(0x3D) << 8 | byte(0x3E) << 16 | byte(0x3F) << 24;
  if (pe > (1u << 20)) return false;
  const auto image = tree.read_file(d_path, pe + 4);
  return image && image->size() == pe + 4 && image->compare(pe, 4, std::string("PE\0\0", 4)) == 0;
}

intptr_t predicted_launch_result(Tree& tree, const std::string& d_path) {
  if (!tree.find_file(d_path)) return kFileNotFound;
  const std::string extension = lower_extension(d_path);
  if (extension == ".exe" || extension == ".com") {
    return is_windows_program(tree, d_path) ? kStarted : kBadFormat;
  }
  if (extension == ".bat" || extension == ".cmd") return kStarted;
  return kNoAssociation;
}

// Double-clicked: shown normally.
void TreePlatform::startup_info(uint32_t* flags, uint16_t* show_window) {
  *flags = platform::kStartfUseShowWindow;
  *show_window = 1;  // SW_SHOWNORMAL
}

void TreePlatform::lead_byte_ranges(uint8_t ranges[platform::kLeadByteTableSize]) {
  std::memset(ranges, 0, platform::kLeadByteTableSize);  // code page 1252
}

uint32_t TreePlatform::own_path(char* buffer, uint32_t size) {
  const size_t n = std::min<size_t>(sizeof(kOwnPath) - 1, size - 1);
  std::memcpy(buffer, kOwnPath, n);
  buffer[n] = '\0';
  return static_cast<uint32_t>(n);
}

long TreePlatform::open_user_key(const char*, platform::RegKey* key) {
  *key = this;
  return 0;
}

// RegQueryValueA: the value with its terminator, if it fits.
long TreePlatform::query_value(platform::RegKey, const char*, char* data, long* size) {
  const long needed = static_cast<long>(locale_.size()) + 1;
  if (needed > *size) return kMoreData;
  std::memcpy(data, locale_.c_str(), static_cast<size_t>(needed));
  *size = needed;
  return 0;
}

// lstrcmpiA on the language codes, which are ASCII hex digits.
int TreePlatform::compare_no_case(const char* a, const char* b) {
  for (;; ++a, ++b) {
    const auto x = static_cast<unsigned char>(*a >= 'a' && *a <= 'z' ? *a - 32 : *a);
    const auto y = static_cast<unsigned char>(*b >= 'a' && *b <= 'z' ? *b - 32 : *b);
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
}

void TreePlatform::format_text(char* out, const char* format) { std::strcpy(out, format); }

uint32_t TreePlatform::profile_string(const char* section, const char* key, const char* fallback,
                                      char* out, uint32_t size, const char* file) {
  return tree_.profile_string(section, key, fallback, out, size, file);
}

// OpenFile with OF_EXIST: its record holds 128 bytes, so a full path of
// more than 127 characters is not found.
bool TreePlatform::file_exists(const char* path, char found[platform::kFoundPathSize]) {
  tested_path = path;
  const auto full = tree_.find_file(path);
  found_path = full.value_or("");
  if (!full || full->size() >= platform::kFoundPathSize) return false;
  std::memcpy(found, full->c_str(), full->size() + 1);
  return true;
}

intptr_t TreePlatform::start_program(const char* file, const char* parameters,
                                     const char* directory, int show) {
  const intptr_t result = predicted_launch_result(tree_, file);
  starts.push_back({file, parameters, directory, show, result});
  return result;
}

void TreePlatform::message_box(const char* text, uint32_t) { boxes.emplace_back(text); }

}  // namespace checker
