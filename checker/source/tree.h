// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// An installation tree as the launcher sees it: the root of drive D:, whose
// paths the launcher's profile names. Implemented over the host's files
// (Linux) and over the Windows file calls (the Windows build); both resolve
// paths with the same rules (path_rules.h) and find names without regard to
// case.
#pragma once

#include <stdint.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace checker {

// What a tree is read from: a folder of this machine, one file system of a
// disc image, or nothing (a disc image a release reads no file system of).
enum class Medium { kFolder, kIso9660, kJoliet, kUdf, kNothing };

// "folder", "iso9660", "joliet", "udf", "none": the JSON report's names.
const char* medium_name(Medium medium);

class Tree {
 public:
  // kUnreadable: listed, but it, or a folder on its way, cannot be read.
  enum class Entry { kMissing, kFile, kFolder, kUnreadable };

  virtual ~Tree() = default;

  // What the components below the root name.
  virtual Entry entry(const std::vector<std::string>& parts) = 0;
  // Up to `limit` bytes of the file the components name; none when it
  // cannot be read.
  virtual std::optional<std::string> read(const std::vector<std::string>& parts, size_t limit) = 0;

  virtual Medium medium() const { return Medium::kFolder; }
  virtual bool on_disc() const { return false; }
  // The host's own path of the file the components name (UTF-8), where the
  // tree is a folder of this machine.
  virtual std::optional<std::string> host_file(const std::vector<std::string>&) {
    return std::nullopt;
  }
  // "on the disc", "in the tree": where a finding says a file is.
  std::string where() const { return on_disc() ? "on the disc" : "in the tree"; }

  // What a path on drive D: names, once Windows has made it a full path.
  Entry entry_at(const std::string& d_path);
  // The full path of the file at `d_path`, as the file test (OpenFile)
  // gives it, whatever its length; none for a missing file or a folder.
  std::optional<std::string> find_file(const std::string& d_path);
  // Up to `limit` bytes of the file at a path on drive D:.
  std::optional<std::string> read_file(const std::string& d_path, size_t limit);

  static constexpr size_t kWholeFile = static_cast<size_t>(-1);
  // Windows reads a profile whole; past this size the checker gives up
  // rather than exhaust memory, and the file counts as unreadable.
  static constexpr uint64_t kLargestRead = uint64_t{256} << 20;
};

// The tree at `root`, a folder of this machine; nullptr with a message in
// `error` when it is not a readable folder.
std::unique_ptr<Tree> open_tree(const std::string& root, std::string* error);

}  // namespace checker
