// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/source/disc/listed_tree.h"

#include <algorithm>

#include "checker/names/code_page.h"

namespace checker {

const std::vector<DiscEntry>* ListedTree::listing(const DiscEntry& folder, const RawPath& path) {
  auto cached = listings_.find(path);
  if (cached == listings_.end()) cached = listings_.emplace(path, list(folder, path)).first;
  return cached->second ? &*cached->second : nullptr;
}

ListedTree::Found ListedTree::walk(const std::vector<std::string>& parts) {
  Found at{Tree::Entry::kFolder, root_, {}};
  for (const std::string& part : parts) {
    if (!at.entry.folder) return {};
    const auto* entries = listing(at.entry, at.path);
    if (entries == nullptr) return {Tree::Entry::kUnreadable, at.entry, at.path};
    const auto match = std::find_if(entries->begin(), entries->end(), [&](const DiscEntry& e) {
      return same_file_name(e.name, part);
    });
    if (match == entries->end()) return {};
    at.entry = *match;
    at.path.push_back(match->raw);
  }
  if (at.entry.folder) {
    if (listing(at.entry, at.path) == nullptr) at.kind = Tree::Entry::kUnreadable;
  } else {
    at.kind = opens(at.entry, at.path) ? Tree::Entry::kFile : Tree::Entry::kUnreadable;
  }
  return at;
}

Tree::Entry ListedTree::entry(const std::vector<std::string>& parts) { return walk(parts).kind; }

std::optional<std::string> ListedTree::read(const std::vector<std::string>& parts, size_t limit) {
  const Found found = walk(parts);
  if (found.kind != Tree::Entry::kFile) return std::nullopt;
  return read_entry(found.entry, found.path, limit);
}

std::optional<uint64_t> ListedTree::bytes_to_read(uint64_t size, size_t limit) {
  if (limit == kWholeFile && size > kLargestRead) return std::nullopt;
  return std::min<uint64_t>(limit, size);
}

std::optional<std::vector<DiscName>> ListedTree::names(const std::vector<std::string>& parts) {
  const Found found = walk(parts);
  if (found.kind != Tree::Entry::kFolder) return std::nullopt;
  std::vector<DiscName> out;
  for (const DiscEntry& e : *listing(found.entry, found.path)) out.push_back({e.name, e.folder});
  return out;
}

}  // namespace checker
