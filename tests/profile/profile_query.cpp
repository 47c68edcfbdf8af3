// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Answers profile queries, one a line, with the real GetPrivateProfileStringA
// (Windows build) or with the tree checker's reader (host build), so that the
// two can be compared byte for byte. A query line is
//   <file> <section> <key> <default> <size>
// with each of the four texts as 'h' and its bytes in hex; the answer line is
//   <returned length> <all `size` bytes of the output buffer, in hex>
// The buffer is filled with '*' first, so that bytes written past the
// terminator show. The host build reads as Wine does, or with a second
// argument as Windows NT (nt) or Windows 95/98/ME (9x) does.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <optional>

#include "checker/windows/profile_reader.h"
#endif

namespace {

std::string from_hex(const std::string& field) {
  const std::string hex = field.substr(1);  // after the 'h' that keeps it non-empty
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    out.push_back(static_cast<char>(std::stoul(hex.substr(i, 2), nullptr, 16)));
  }
  return out;
}

std::string to_hex(const char* data, size_t size) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (size_t i = 0; i < size; ++i) {
    const auto c = static_cast<unsigned char>(data[i]);
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
  return out;
}

#ifndef _WIN32
checker::ProfileMarks marks = checker::kWineMarks;
#endif

uint32_t query(const std::string& file, const std::string& section, const std::string& key,
               const std::string& fallback, char* out, uint32_t size) {
#ifdef _WIN32
  return GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), out, size,
                                  file.c_str());
#else
  std::optional<std::string> content;
  std::ifstream in(file, std::ios::binary);
  if (in) content = std::string(std::istreambuf_iterator<char>(in), {});
  return checker::read_profile_string(content, marks, section.c_str(), key.c_str(),
                                      fallback.c_str(), out, size);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: profile_query QUERIES [wine|nt|9x]\n");
    return 2;
  }
#ifndef _WIN32
  if (argc == 3) {
    const std::string as = argv[2];
    marks = as == "nt"   ? checker::kWindowsNtMarks
            : as == "9x" ? checker::kWindows9xMarks
                         : checker::kWineMarks;
  }
#endif
  std::ifstream queries(argv[1]);
  std::string line;
  while (std::getline(queries, line)) {
    std::istringstream fields(line);
    std::string file, section, key, fallback;
    uint32_t size = 0;
    if (!(fields >> file >> section >> key >> fallback >> size)) continue;
    std::vector<char> buffer(size + 1, '*');
    const uint32_t length = query(from_hex(file), from_hex(section), from_hex(key),
                                  from_hex(fallback), buffer.data(), size);
    std::printf("%u %s\n", length, to_hex(buffer.data(), size).c_str());
  }
  return 0;
}
