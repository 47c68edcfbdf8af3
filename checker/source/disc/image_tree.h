// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// A disc image (ISO 9660, with Joliet and UDF where it has them) as trees
// the checker can run the launcher against, one a file system, with the
// names Windows shows: Joliet and ISO 9660 names without their ";1" version
// and trailing dot, Joliet names whole; never Rock Ridge names, which
// Windows does not read; UDF names of either encoding. ISO 9660 and Joliet
// are read with libcdio's libiso9660 (the folders record by record), UDF
// with libudfread, which reads every revision to 2.60, and (patched here)
// the virtual partition of write-once media: only the volume descriptors,
// the folders on the paths asked for, and the few files opened.
#pragma once

#include <stdint.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "checker/names/udf_revision.h"
#include "checker/source/tree.h"

namespace checker {

enum class DiscFileSystem { kIso9660, kJoliet, kUdf };

// The medium a tree read from the file system is.
constexpr Medium medium_of(DiscFileSystem fs) {
  switch (fs) {
    case DiscFileSystem::kIso9660: return Medium::kIso9660;
    case DiscFileSystem::kJoliet: return Medium::kJoliet;
    case DiscFileSystem::kUdf: break;
  }
  return Medium::kUdf;
}

// "iso9660", "joliet", "udf".
inline const char* file_system_name(DiscFileSystem fs) { return medium_name(medium_of(fs)); }

struct DiscName {
  std::string name;  // UTF-8, as Windows shows it
  bool folder = false;
};

// A tree over one file system of the image.
class DiscTree : public Tree {
 public:
  // The entries of a folder of the tree; none when the components name no
  // folder, or one that cannot be read.
  virtual std::optional<std::vector<DiscName>> names(const std::vector<std::string>& parts) = 0;
  virtual DiscFileSystem file_system() const = 0;
  Medium medium() const override { return medium_of(file_system()); }
  bool on_disc() const override { return true; }
};

}  // namespace checker
