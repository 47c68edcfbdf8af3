// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/source/tree.h"

#include "checker/names/path_rules.h"

namespace checker {

const char* medium_name(Medium medium) {
  switch (medium) {
    case Medium::kFolder: return "folder";
    case Medium::kIso9660: return "iso9660";
    case Medium::kJoliet: return "joliet";
    case Medium::kUdf: return "udf";
    case Medium::kNothing: break;
  }
  return "none";
}

Tree::Entry Tree::entry_at(const std::string& d_path) {
  const auto full = full_path(d_path);
  if (!full || full->unusable) return Entry::kMissing;
  const Entry found = entry(full->parts);
  // "folder\" names a folder; a file is not found by it.
  return full->names_folder && found == Entry::kFile ? Entry::kMissing : found;
}

std::optional<std::string> Tree::find_file(const std::string& d_path) {
  if (entry_at(d_path) != Entry::kFile) return std::nullopt;
  return full_path(d_path)->text;
}

std::optional<std::string> Tree::read_file(const std::string& d_path, size_t limit) {
  if (entry_at(d_path) != Entry::kFile) return std::nullopt;
  return read(full_path(d_path)->parts, limit);
}

}  // namespace checker
