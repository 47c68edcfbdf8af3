// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The UDF volume of an image, read with libudfread: every revision up to
// 2.60, and the virtual partition of write-once media.
#pragma once

#include <stdint.h>

#include <memory>
#include <optional>
#include <string>

#include "checker/source/disc/image_tree.h"

namespace checker {

// The UDF tree, read with libudfread; nullptr when the image has none.
std::unique_ptr<DiscTree> open_udf_tree(const std::string& path);
// The image's UDF volume: the revision of its logical volume and the
// block its partition ends at; none without UDF.
struct UdfVolume {
  uint16_t revision = 0;
  uint64_t end_block = 0;  // 0 for write-once media, which end where written
  bool write_once = false;
};
std::optional<UdfVolume> udf_volume(const std::string& path);

}  // namespace checker
