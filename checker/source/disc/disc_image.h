// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// A disc image as a whole: which file systems it holds, how long it is
// against what its volumes say, and the tree of each file system.
#pragma once

#include <stdint.h>

#include <memory>
#include <optional>
#include <string>

#include "checker/source/disc/image_tree.h"

namespace checker {

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

// Whether the file at `path` is a raw CD image (sectors of 2352 bytes, as
// a .bin beside its .cue), whose mode 1 data track holds an ISO 9660
// volume; or a cue sheet that names one.
bool is_raw_cd_image(const std::string& path);
bool is_cue_sheet(const std::string& path);

// The tree of one of the image's file systems; nullptr with `error` set
// where it cannot be read.
std::unique_ptr<DiscTree> open_disc_tree(const std::string& path, DiscFileSystem fs,
                                         std::string* error);

}  // namespace checker
