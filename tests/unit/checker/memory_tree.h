// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// A tree held in memory, for the rules' tests: files by their path below
// the root ("install/quv/win/client.ini"), found without regard to case;
// a folder wherever a path goes on below it. As a disc, it is one file
// system of an image.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "checker/source/disc/image_tree.h"
#include "checker/names/code_page.h"

namespace checker::testing {

using Files = std::map<std::string, std::string>;

// A file's content that stands for a file listed but unreadable (a bad
// sector, data past the end of an image).
inline const std::string kUnreadable = std::string("\0unreadable", 11);

class MemoryTree final : public DiscTree {
 public:
  explicit MemoryTree(std::map<std::string, std::string> files,
                      std::optional<DiscFileSystem> disc = std::nullopt)
      : files_(std::move(files)), disc_(disc) {}

  Entry entry(const std::vector<std::string>& parts) override {
    if (parts.empty()) return Entry::kFolder;
    for (const auto& [path, content] : files_) {
      const std::vector<std::string> names = split(path);
      if (!starts_with(names, parts)) continue;
      if (names.size() > parts.size()) return Entry::kFolder;
      return content == kUnreadable ? Entry::kUnreadable : Entry::kFile;
    }
    return Entry::kMissing;
  }

  std::optional<std::string> read(const std::vector<std::string>& parts, size_t limit) override {
    for (const auto& [path, content] : files_) {
      const std::vector<std::string> names = split(path);
      if (names.size() == parts.size() && starts_with(names, parts)) {
        if (content == kUnreadable) return std::nullopt;
        return content.substr(0, limit);
      }
    }
    return std::nullopt;
  }

  std::optional<std::vector<DiscName>> names(const std::vector<std::string>& parts) override {
    if (entry(parts) != Entry::kFolder) return std::nullopt;
    std::vector<DiscName> out;
    for (const auto& [path, content] : files_) {
      const std::vector<std::string> names = split(path);
      if (names.size() <= parts.size() || !starts_with(names, parts)) continue;
      const DiscName name{names[parts.size()], names.size() > parts.size() + 1};
      bool listed = false;
      for (const DiscName& n : out) listed = listed || n.name == name.name;
      if (!listed) out.push_back(name);
    }
    return out;
  }

  DiscFileSystem file_system() const override { return disc_.value_or(DiscFileSystem::kUdf); }
  Medium medium() const override { return disc_ ? medium_of(*disc_) : Medium::kFolder; }
  bool on_disc() const override { return disc_.has_value(); }

 private:
  static std::vector<std::string> split(const std::string& path) {
    std::vector<std::string> names;
    for (size_t at = 0; at <= path.size();) {
      const size_t slash = std::min(path.find('/', at), path.size());
      names.push_back(path.substr(at, slash - at));
      at = slash + 1;
    }
    return names;
  }
  static bool starts_with(const std::vector<std::string>& names,
                          const std::vector<std::string>& parts) {
    if (names.size() < parts.size()) return false;
    for (size_t i = 0; i < parts.size(); ++i) {
      if (!same_file_name(names[i], parts[i])) return false;
    }
    return true;
  }

  std::map<std::string, std::string> files_;
  std::optional<DiscFileSystem> disc_;
};

// The head of a Windows program as the checker reads it: MZ, the PE
// signature, the machine, the optional header's magic and subsystem
// version; a DOS program without `pe`.
inline std::string program(uint16_t machine = 0x14C, uint16_t magic = 0x10B, uint16_t major = 4,
                           uint16_t minor = 0, bool pe = true) {
  std::string head = "MZ" + std::string(0x3A, '\0') + std::string("\x40\0\0\0", 4);
  if (!pe) return head + "a DOS program";
  head += std::string("PE\0\0", 4);
  head += static_cast<char>(machine & 0xFF);
  head += static_cast<char>(machine >> 8);
  head += std::string(18, '\0');
  std::string optional(96, '\0');
  optional[0] = static_cast<char>(magic & 0xFF);
  optional[1] = static_cast<char>(magic >> 8);
  optional[40] = static_cast<char>(major);  // the operating-system version, as linkers set it
  optional[42] = static_cast<char>(minor);
  optional[48] = static_cast<char>(major);
  optional[50] = static_cast<char>(minor);
  return head + optional + "program body";
}

// `program` with another operating-system version in its header.
inline std::string with_os_version(std::string program, uint16_t major, uint16_t minor) {
  program[0x40 + 24 + 40] = static_cast<char>(major);
  program[0x40 + 24 + 42] = static_cast<char>(minor);
  return program;
}

// A 16-bit Windows program (NE) whose version resource names `product`
// at `version`, as an installer's does.
inline std::string ne_program(const std::string& product, const std::string& version) {
  std::string file = "MZ" + std::string(0x3A, '\0') + std::string("\x40\0\0\0", 4);
  std::string ne(0x40, '\0');
  ne[0] = 'N';
  ne[1] = 'E';
  ne[0x24] = 0x40;  // the resource table, 0x40 bytes into the NE header: at 0x80
  file += ne;
  // Alignment 16 (shift 4); one RT_VERSION resource at 0x100, 0x10 units long.
  file += std::string(
      "\x04\0"
      "\x10\x80\x01\0\0\0\0\0"
      "\x10\0\x10\0\0\0\x01\x80\0\0\0\0"
      "\0\0",
      24);
  file.resize(0x100, '\0');
  std::string strings = "VS_VERSION_INFO";
  strings += std::string(4, '\0') + "ProductName" + std::string(1, '\0') + product;
  strings += std::string(2, '\0') + "ProductVersion" + std::string(2, '\0') + version;
  strings += std::string(1, '\0');
  file += strings;
  file.resize(0x200, '\0');
  return file;
}

}  // namespace checker::testing
