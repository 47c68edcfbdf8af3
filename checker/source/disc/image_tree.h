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

struct DiscImage {
  bool iso9660 = true;  // false for a disc with UDF alone
  bool joliet = false;
  // The UDF revision the volume is written to (0x0102 for 1.02, 0x0201 for
  // 2.01), where the image has a UDF file system.
  std::optional<uint16_t> udf;
  // The image's length, and the length its volumes say they have (the ISO
  // 9660 volume space, the end of the UDF partition): an image cut short, as
  // a burn or a download that stopped leaves it, is shorter.
  uint64_t image_bytes = 0;
  uint64_t volume_bytes = 0;

  // The file system a Windows reads that reads UDF up to `newest_udf` (0:
  // none): UDF where it can, else Joliet, else ISO 9660; none when the
  // image holds nothing it reads.
  std::optional<DiscFileSystem> read_by(uint16_t newest_udf) const;
};

// What the file at `path` holds: none when it is no disc image (`error`
// empty) or cannot be read as one (`error` says why).
std::optional<DiscImage> probe_image(const std::string& path, std::string* error);

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

std::unique_ptr<DiscTree> open_disc_tree(const std::string& path, DiscFileSystem fs,
                                         std::string* error);

}  // namespace checker
