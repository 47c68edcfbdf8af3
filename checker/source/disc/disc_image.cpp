// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// What a disc image holds, and its trees opened by file system.
#include "checker/source/disc/disc_image.h"

#include <algorithm>
#include <cstring>

#include "checker/source/disc/image_file.h"
#include "checker/source/disc/library_log.h"
#include "checker/source/disc/iso_tree.h"
#include "checker/source/disc/listed_tree.h"
#include "checker/source/disc/udf_tree.h"

namespace checker {

namespace {
constexpr uint64_t kBlockBytes = 2048;
}  // namespace

std::optional<DiscFileSystem> DiscImage::read_by(uint16_t newest_udf) const {
  if (udf && *udf <= newest_udf) return DiscFileSystem::kUdf;
  if (joliet) return DiscFileSystem::kJoliet;
  if (iso9660) return DiscFileSystem::kIso9660;
  return std::nullopt;
}

std::optional<DiscImage> probe_image(const std::string& path, std::string* error) {
  take_library_message();
  error->clear();
  DiscImage image;
  // A UDF volume counts where libudfread opens it and its revision is read.
  const bool opened = open_udf_tree(path) != nullptr;
  const auto udf = udf_volume(path);
  if (!opened && udf && udf->write_once) {
    // Its virtual partition is found through the allocation table recorded
    // last, looked for in the image's last 1024 blocks.
    *error = path +
             " is a write-once UDF image (DVD-R, DVD+R, BD-R) whose allocation table is not in its "
             "last 1024 blocks: it is padded further past its last recorded block, or cut "
             "short. Make the image of the disc again, without padding";
    return std::nullopt;
  }
  if (opened && udf) {
    image.udf = udf->revision;
    image.volume_bytes = udf->end_block * kBlockBytes;
  }
  // An ISO 9660 primary volume descriptor at block 16: "\1CD001", with the
  // volume's size in blocks at byte 80.
  const ImageFile file(path);
  image.image_bytes = file.size();
  unsigned char head[88] = {};
  image.iso9660 =
      file.read_at(16 * kBlockBytes, head, sizeof(head)) && std::memcmp(head + 1, "CD001", 5) == 0;
  if (image.iso9660 && head[0] == 1) {
    const uint64_t blocks = head[80] | head[81] << 8 | head[82] << 16 | uint64_t{head[83]} << 24;
    image.volume_bytes = std::max(image.volume_bytes, blocks * kBlockBytes);
  }
  if (!image.iso9660) {
    if (!image.udf) return std::nullopt;
    return image;
  }
  if (!open_iso_tree(path, false)) {
    if (image.udf) {
      image.iso9660 = false;  // a UDF disc whose ISO 9660 side is damaged
      return image;
    }
    *error = path + " is not a readable ISO 9660 image";
    return std::nullopt;
  }
  image.joliet = has_joliet_tree(path);
  return image;
}

std::unique_ptr<DiscTree> open_disc_tree(const std::string& path, DiscFileSystem fs,
                                         std::string* error) {
  take_library_message();
  std::unique_ptr<DiscTree> tree = fs == DiscFileSystem::kUdf
                                       ? open_udf_tree(path)
                                       : open_iso_tree(path, fs == DiscFileSystem::kJoliet);
  // A damaged image may open; its root folder must be there too.
  if (!tree || !tree->names({})) {
    const std::string said = take_library_message();
    *error = path + " is damaged: its " + file_system_name(fs) + " file system cannot be read" +
             (said.empty() ? "" : " (" + said + ")");
    return nullptr;
  }
  return tree;
}

namespace {

constexpr uint64_t kRawSector = 2352;
// A mode 1 sector: 12 bytes of sync, a 4-byte header, then 2048 bytes of data.
constexpr char kSync[] = "\x00\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x00";

}  // namespace

bool is_raw_cd_image(const std::string& path) {
  const ImageFile in(path);
  if (!in.is_open() || in.size() % kRawSector != 0 || in.size() < 17 * kRawSector) return false;
  char sector[24];
  if (!in.read_at(16 * kRawSector, sector, sizeof(sector))) return false;
  return std::memcmp(sector, kSync, 12) == 0 && sector[15] == 1 &&
         std::memcmp(sector + 16,
                     "\x01"
                     "CD001",
                     6) == 0;
}

bool is_cue_sheet(const std::string& path) {
  const ImageFile in(path);
  char head[5] = {};
  return in.is_open() && in.size() < (1 << 20) && in.read_at(0, head, 4) &&
         std::memcmp(head, "FILE", 4) == 0;
}

}  // namespace checker
