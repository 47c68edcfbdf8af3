// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Where a cut image ends for its files: data past the end is unreadable on
// every file system, however much of a file comes before it.
#pragma once

#include <stdint.h>

namespace checker {

inline constexpr uint64_t kImageBlock = 2048;

// The blocks an image of `bytes` holds whole: a block cut short is past
// its end.
constexpr uint64_t whole_blocks(uint64_t bytes) { return bytes / kImageBlock; }

// A file of `bytes` from block `first` (one extent of ISO 9660 or Joliet)
// lies inside an image of `image_blocks` whole blocks: its last block,
// partial or not, is one of them.
constexpr bool extent_inside(uint64_t first, uint64_t bytes, uint64_t image_blocks) {
  return first + (bytes + kImageBlock - 1) / kImageBlock <= image_blocks;
}

// A UDF file whose data ends in block `last` lies inside.
constexpr bool last_block_inside(uint64_t last, uint64_t image_blocks) {
  return last < image_blocks;
}

}  // namespace checker
