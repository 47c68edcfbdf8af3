// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/windows/ne_installer.h"

#include <algorithm>

namespace checker {

namespace {

constexpr uint16_t kRtVersion = 0x8010;  // RT_VERSION (16), an integer id

uint32_t word_at(const std::string& bytes, size_t at) {
  if (at + 2 > bytes.size()) return 0;
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

// The bytes of the NE file's version resource; "" when it has none.
std::string version_resource(const std::string& file, uint32_t ne) {
  const size_t table = ne + word_at(file, ne + 0x24);
  const uint32_t shift = word_at(file, table);
  if (shift > 16) return "";
  for (size_t at = table + 2; at + 8 <= file.size();) {
    const uint32_t type = word_at(file, at);
    const uint32_t count = word_at(file, at + 2);
    if (type == 0) break;
    at += 8;
    for (uint32_t i = 0; i < count && at + 12 <= file.size(); ++i, at += 12) {
      if (type != kRtVersion) continue;
      const size_t offset = size_t{word_at(file, at)} << shift;
      const size_t length = size_t{word_at(file, at + 2)} << shift;
      if (offset < file.size()) return file.substr(offset, length);
    }
  }
  return "";
}

// The value of a string of the version resource ("ProductName"): its key,
// the NULs that pad it, then the value up to its NUL.
std::string value_of(const std::string& version, const std::string& key) {
  size_t at = version.find(key + '\0');
  if (at == std::string::npos) return "";
  at += key.size();
  while (at < version.size() && version[at] == '\0') ++at;
  return version.substr(at, version.find('\0', at) - at);
}

bool contains(std::string text, const std::string& lower_part) {
  std::transform(text.begin(), text.end(), text.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return text.find(lower_part) != std::string::npos;
}

}  // namespace

std::optional<std::string> replaced_installer(const std::string& file, uint32_t ne) {
  const std::string version = version_resource(file, ne);
  if (version.empty()) return std::nullopt;
  const std::string product = value_of(version, "ProductName");
  const std::string described = value_of(version, "FileDescription");
  const std::string number = value_of(version, "ProductVersion");
  if (contains(product, "installshield") && number.rfind("5.", 0) == 0) return "InstallShield 5";
  if (contains(product, "microsoft setup") || contains(described, "microsoft setup")) {
    for (const char* v : {"1.2", "2.6", "3.01", "3.0"}) {
      if (number.rfind(v, 0) == 0) return "Microsoft Setup " + std::string(v);
    }
  }
  return std::nullopt;
}

}  // namespace checker
