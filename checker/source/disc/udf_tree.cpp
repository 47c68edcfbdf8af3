// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The UDF tree of a disc image, read with libudfread: every revision to
// 2.60, metadata partitions, and small files stored inside their ICB, as
// UDF writers store client.ini and autorun.inf.
#include "checker/source/disc/udf_tree.h"
#include <udfread.h>

#include "checker/names/code_page.h"
#include "checker/source/disc/image_end.h"
#include "checker/source/disc/image_file.h"
#include "checker/source/disc/listed_tree.h"

namespace checker {

namespace {

constexpr size_t kBlock = UDF_BLOCK_SIZE;
constexpr size_t kMostNames = 1000000;  // in one folder; more counts as unreadable

// libudfread's names are "modified UTF-8": U+0000 as C0 80, and each half
// of a surrogate pair, as UTF-16 has it, encoded on its own. Windows shows
// the characters.
std::u32string decode_modified_utf8(const std::string& bytes) {
  std::u16string units;
  for (size_t i = 0; i < bytes.size();) {
    const auto byte = [&](size_t at) {
      return static_cast<unsigned char>(at < bytes.size() ? bytes[at] : 0);
    };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
      units.push_back(lead);
      i += 1;
    } else if ((lead & 0xE0) == 0xC0) {
      units.push_back(static_cast<char16_t>((lead & 0x1F) << 6 | (byte(i + 1) & 0x3F)));
      i += 2;
    } else {
      units.push_back(static_cast<char16_t>((lead & 0x0F) << 12 | (byte(i + 1) & 0x3F) << 6 |
                                            (byte(i + 2) & 0x3F)));
      i += 3;
    }
  }
  std::string big_endian;
  for (const char16_t unit : units) {
    big_endian.push_back(static_cast<char>(unit >> 8));
    big_endian.push_back(static_cast<char>(unit & 0xFF));
  }
  std::u32string text = decode_utf16be(big_endian);
  for (char32_t& c : text) {
    if (c == 0) c = U'\uFFFD';  // no Windows name holds one
  }
  return text;
}

class UdfTree final : public ListedTree {
 public:
  UdfTree(udfread* udf, uint64_t image_blocks)
      : ListedTree(root_entry()), udf_(udf), image_blocks_(image_blocks) {}
  ~UdfTree() override { udfread_close(udf_); }
  UdfTree(const UdfTree&) = delete;
  UdfTree& operator=(const UdfTree&) = delete;

  DiscFileSystem file_system() const override { return DiscFileSystem::kUdf; }

 protected:
  std::optional<std::vector<DiscEntry>> list(const DiscEntry&, const RawPath& path) override {
    UDFDIR* folder = open_folder(path);
    if (folder == nullptr) return std::nullopt;
    std::optional<std::vector<DiscEntry>> entries(std::in_place);
    udfread_dirent found;
    while (udfread_readdir(folder, &found) != nullptr) {
      if (entries->size() >= kMostNames) {
        entries.reset();
        break;
      }
      DiscEntry entry;
      entry.raw = found.d_name;
      entry.name = encode_utf8(decode_modified_utf8(entry.raw));
      entry.folder = found.d_type == UDF_DT_DIR;
      entries->push_back(entry);
    }
    udfread_closedir(folder);
    return entries;
  }

  // A file opens where every block of its data lies inside the image, as
  // on ISO 9660: data past the end of a cut image is unreadable however
  // much of the file comes before it. A file kept inside its ICB has no
  // blocks of its own (0).
  bool opens(const DiscEntry&, const RawPath& path) override {
    UDFFILE* opened = open_file(path);
    if (opened == nullptr) return false;
    const bool inside = udfread_file_size(opened) >= 0 &&
                        last_block_inside(udfread_file_last_lba(opened), image_blocks_);
    udfread_file_close(opened);
    return inside;
  }

  std::optional<std::string> read_entry(const DiscEntry&, const RawPath& path,
                                        size_t limit) override {
    UDFFILE* file = open_file(path);
    if (file == nullptr) return std::nullopt;
    std::optional<std::string> data;
    const int64_t size = udfread_file_size(file);
    const auto bytes = size < 0 ? std::nullopt : bytes_to_read(static_cast<uint64_t>(size), limit);
    if (bytes) {
      data.emplace(*bytes, '\0');
      for (size_t got = 0; got < *bytes;) {
        const ssize_t n = udfread_file_read(file, data->data() + got, *bytes - got);
        if (n <= 0) {
          data.reset();
          break;
        }
        got += static_cast<size_t>(n);
      }
    }
    udfread_file_close(file);
    return data;
  }

 private:
  static DiscEntry root_entry() {
    DiscEntry root;
    root.folder = true;
    return root;
  }

  // Folder handles are cheap: libudfread keeps every folder it has read.
  UDFDIR* open_folder(const RawPath& path) {
    UDFDIR* at = udfread_opendir(udf_, "/");
    for (const std::string& name : path) {
      if (at == nullptr) return nullptr;
      UDFDIR* next = udfread_opendir_at(at, name.c_str());
      udfread_closedir(at);
      at = next;
    }
    return at;
  }

  UDFFILE* open_file(const RawPath& path) {
    if (path.empty()) return nullptr;
    UDFDIR* folder = open_folder(RawPath(path.begin(), path.end() - 1));
    if (folder == nullptr) return nullptr;
    UDFFILE* file = udfread_file_openat(folder, path.back().c_str());
    udfread_closedir(folder);
    return file;
  }

  udfread* udf_;
  uint64_t image_blocks_;
};

uint32_t little_endian(const std::string& block, size_t at, size_t bytes) {
  uint32_t value = 0;
  for (size_t i = bytes; i-- > 0;) value = value << 8 | static_cast<unsigned char>(block[at + i]);
  return value;
}

// The descriptor at `block`, when its tag says it is one of `id` there.
std::optional<std::string> descriptor(const ImageFile& in, uint64_t block, uint32_t id) {
  std::string data(kBlock, '\0');
  if (!in.read_at(block * kBlock, data.data(), kBlock)) return std::nullopt;
  if (little_endian(data, 0, 2) != id || little_endian(data, 12, 4) != block) return std::nullopt;
  return data;
}

}  // namespace

std::unique_ptr<DiscTree> open_udf_tree(const std::string& path) {
  const ImageFile in(path);
  if (!in.is_open()) return nullptr;
  const uint64_t image_blocks = whole_blocks(in.size());
  udfread* udf = udfread_init();
  if (udf == nullptr) return nullptr;
  if (udfread_open(udf, path.c_str()) < 0) {
    udfread_close(udf);
    return nullptr;
  }
  return std::make_unique<UdfTree>(udf, image_blocks);
}

// The revision is the suffix of the logical volume descriptor's domain
// ("*OSTA UDF Compliant"), and the volume's end the end of its partition,
// found through the anchor at block 256, or at the end of the image, and
// the volume descriptor sequence (main, else reserve).
std::optional<UdfVolume> udf_volume(const std::string& path) {
  constexpr uint32_t kAnchor = 2, kPartition = 5, kLogicalVolume = 6, kTerminator = 8;
  constexpr uint64_t kMostDescriptors = 64;
  const ImageFile in(path);
  if (!in.is_open()) return std::nullopt;
  const uint64_t blocks = in.size() / kBlock;
  std::optional<std::string> anchor;
  for (const uint64_t at : {uint64_t{256}, blocks - 1, blocks - 257}) {
    if (!anchor && at < blocks) anchor = descriptor(in, at, kAnchor);
  }
  if (!anchor) return std::nullopt;
  for (const size_t extent : {16, 24}) {
    const uint64_t start = little_endian(*anchor, extent + 4, 4);
    const uint64_t count =
        std::min<uint64_t>(little_endian(*anchor, extent, 4) / kBlock, kMostDescriptors);
    std::optional<UdfVolume> volume;
    for (uint64_t block = start; block < start + count; ++block) {
      if (descriptor(in, block, kTerminator)) break;
      if (const auto partition = descriptor(in, block, kPartition)) {
        const uint64_t end =
            uint64_t{little_endian(*partition, 188, 4)} + little_endian(*partition, 192, 4);
        if (!volume) volume.emplace();
        volume->end_block = std::max(volume->end_block, end);
      }
      const auto logical = descriptor(in, block, kLogicalVolume);
      if (logical && logical->compare(217, 19, "*OSTA UDF Compliant") == 0) {
        if (!volume) volume.emplace();
        volume->revision = static_cast<uint16_t>(little_endian(*logical, 240, 2));
        // A write-once volume (a virtual partition) ends where it was last
        // written, well before its partition does.
        volume->write_once = logical->find("*UDF Virtual Partition") != std::string::npos;
      }
    }
    if (volume && volume->revision != 0) {
      if (volume->write_once) volume->end_block = 0;
      return volume;
    }
  }
  return std::nullopt;
}

}  // namespace checker
