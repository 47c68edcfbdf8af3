// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The disc readers' own rules: names as Windows shows them, and where a cut
// image ends for a file.
#include <gtest/gtest.h>

#include "checker/source/disc/image_end.h"
#include "checker/source/disc/listed_tree.h"

namespace checker::testing {
namespace {

TEST(DiscReaders, IsoNamesAsWindowsShowsThem) {
  const std::pair<std::u32string, std::u32string> rows[] = {
      {U"SETUP.EXE;1", U"SETUP.EXE"},
      {U"README.;1", U"README"},
      {U"FOLDER.", U"FOLDER"},
      {U"A..", U"A."},
      {U"NAME;X", U"NAME;X"},
      {U"", U""},
      {U"\u00c9T\u00c9;12", U"\u00c9T\u00c9"},
  };
  for (const auto& [raw, shown] : rows) EXPECT_EQ(shown_iso_name(raw), shown);
}

// An image of 10 whole blocks and 100 bytes of an eleventh: a file is
// readable where its every block, the last one partial or not, is whole in
// the image.
TEST(DiscReaders, WhereACutImageEndsForAFile) {
  const uint64_t blocks = whole_blocks(10 * kImageBlock + 100);
  EXPECT_EQ(blocks, 10u);  // the cut block is not one
  struct Extent {
    uint64_t first, bytes;
    bool inside;
  };
  const Extent extents[] = {
      {9, kImageBlock, true},       // its last block is the image's last
      {9, kImageBlock + 1, false},  // one byte in the block past the end
      {0, 10 * kImageBlock, true},
      {10, 100, false},  // only in the cut block
      {10, 0, true},     // an empty file has no block of its own
  };
  for (const Extent& e : extents) {
    EXPECT_EQ(extent_inside(e.first, e.bytes, blocks), e.inside) << e.first << "+" << e.bytes;
  }
  EXPECT_TRUE(last_block_inside(9, blocks));    // UDF: the last block of the image
  EXPECT_FALSE(last_block_inside(10, blocks));  // the first past it
}

}  // namespace
}  // namespace checker::testing
