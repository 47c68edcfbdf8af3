// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// What every file system of a disc image has in common for the checker: a
// walk down folders by name, as Windows finds names (without regard to
// case), each folder listed once, and the difference between a name that
// is not there and one that is listed but cannot be read.
#pragma once

#include <stdint.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "checker/source/disc/image_tree.h"

namespace checker {

// An ISO 9660 or Joliet name as Windows shows it: without its ";1" version
// and a trailing dot ("README.;1" is README).
std::u32string shown_iso_name(std::u32string name);

struct DiscEntry {
  std::string name;  // UTF-8, as Windows shows it
  std::string raw;   // as the file system stores it: the library's key
  bool folder = false;
  uint32_t block = 0;  // where its data starts, on file systems that say
  uint64_t size = 0;   // of the data from `block` on
  // The further extents of a file recorded in several (ISO 9660 level 3,
  // past 4 GiB): where each starts, and its size.
  std::vector<std::pair<uint32_t, uint64_t>> more_extents;
};

class ListedTree : public DiscTree {
 public:
  Tree::Entry entry(const std::vector<std::string>& parts) override;
  std::optional<std::string> read(const std::vector<std::string>& parts, size_t limit) override;
  std::optional<std::vector<DiscName>> names(const std::vector<std::string>& parts) override;

 protected:
  // The raw names from the root to a folder or file.
  using RawPath = std::vector<std::string>;

  explicit ListedTree(DiscEntry root) : root_(std::move(root)) {}

  // The folder's entries, its own and its parent's left out; none when the
  // folder cannot be read.
  virtual std::optional<std::vector<DiscEntry>> list(const DiscEntry& folder,
                                                     const RawPath& path) = 0;
  // Whether the listed file can be opened at all.
  virtual bool opens(const DiscEntry&, const RawPath&) { return true; }
  // Up to `limit` bytes of the file; none when they cannot be read.
  virtual std::optional<std::string> read_entry(const DiscEntry& file, const RawPath& path,
                                                size_t limit) = 0;
  // How much of a file of `size` bytes a read of `limit` takes; none for a
  // whole file past the checker's largest read.
  static std::optional<uint64_t> bytes_to_read(uint64_t size, size_t limit);

 private:
  struct Found {
    Tree::Entry kind = Tree::Entry::kMissing;
    DiscEntry entry;
    RawPath path;
  };
  Found walk(const std::vector<std::string>& parts);
  const std::vector<DiscEntry>* listing(const DiscEntry& folder, const RawPath& path);

  DiscEntry root_;
  std::map<RawPath, std::optional<std::vector<DiscEntry>>> listings_;
};

}  // namespace checker
