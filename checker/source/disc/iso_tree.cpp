// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The ISO 9660 volume's two trees, read record by record with libiso9660's
// layouts and block reads. The library's own folder listing is not used: it
// prefers Rock Ridge names, which Windows never reads, keeps Joliet names'
// versions, and cuts some non-ASCII Joliet names short.
#include "checker/source/disc/iso_tree.h"
#include <cdio/bytesex.h>
#include <cdio/iso9660.h>

#include <algorithm>
#include <cstring>

#include "checker/names/code_page.h"
#include "checker/source/disc/image_end.h"
#include "checker/source/disc/image_file.h"
#include "checker/source/disc/listed_tree.h"

namespace checker {

namespace {

constexpr size_t kBlock = ISO_BLOCKSIZE;
// No folder of a real disc comes near this; a larger one counts as unreadable.
constexpr uint64_t kLargestFolder = uint64_t{64} << 20;
// The volume descriptors searched for the Joliet one, from block 16.
constexpr uint32_t kMostDescriptors = 32;

bool is_joliet_descriptor(const iso9660_svd_t& svd) {
  const char* escapes = svd.escape_sequences;
  return escapes[0] == '%' && escapes[1] == '/' &&
         (escapes[2] == '@' || escapes[2] == 'C' || escapes[2] == 'E');
}

class IsoTree final : public ListedTree {
 public:
  IsoTree(iso9660_t* iso, DiscEntry root, bool joliet, uint64_t image_blocks)
      : ListedTree(std::move(root)), iso_(iso), joliet_(joliet), image_blocks_(image_blocks) {}
  ~IsoTree() override { iso9660_close(iso_); }
  IsoTree(const IsoTree&) = delete;
  IsoTree& operator=(const IsoTree&) = delete;

  DiscFileSystem file_system() const override {
    return joliet_ ? DiscFileSystem::kJoliet : DiscFileSystem::kIso9660;
  }

 protected:
  // Every extent of the file, its last ones too, lies inside the image.
  bool opens(const DiscEntry& file, const RawPath&) override {
    if (!extent_inside(file.block, file.size, image_blocks_)) return false;
    return std::all_of(file.more_extents.begin(), file.more_extents.end(), [&](const auto& e) {
      return extent_inside(e.first, e.second, image_blocks_);
    });
  }

  std::optional<std::string> read_entry(const DiscEntry& file, const RawPath&,
                                        size_t limit) override {
    const auto wanted = bytes_to_read(file.size, limit);
    return wanted ? read_blocks(file.block, *wanted) : std::nullopt;
  }

  std::optional<std::string> read_blocks(uint32_t block, uint64_t bytes) {
    std::string data((bytes + kBlock - 1) / kBlock * kBlock, '\0');
    if (data.empty()) return data;
    const long got = iso9660_iso_seek_read(iso_, data.data(), block, data.size() / kBlock);
    if (got < 0 || static_cast<uint64_t>(got) < bytes) return std::nullopt;
    data.resize(bytes);
    return data;
  }

  std::optional<std::vector<DiscEntry>> list(const DiscEntry& folder, const RawPath& path) override;

 private:
  std::string shown(const std::string& raw) const {
    return encode_utf8(shown_iso_name(joliet_ ? decode_utf16be(raw) : decode_ansi(raw)));
  }

  iso9660_t* iso_;
  bool joliet_;
  uint64_t image_blocks_;
};

// Every folder starts with its own record ("\0") and its parent's ("\1");
// neither is a name Windows shows.
std::optional<std::vector<DiscEntry>> IsoTree::list(const DiscEntry& folder, const RawPath& path) {
  if (folder.size > kLargestFolder || !opens(folder, path)) return std::nullopt;
  const auto bytes = read_blocks(folder.block, folder.size);
  if (!bytes) return std::nullopt;
  std::vector<DiscEntry> entries;
  bool has_self = false;
  bool continued = false;  // the last record was not its file's final extent
  for (size_t at = 0; at < bytes->size();) {
    const auto* record = reinterpret_cast<const iso9660_dir_t*>(bytes->data() + at);
    const size_t length = iso9660_get_dir_len(record);
    if (length == 0) {  // the rest of this block is padding
      at = (at / kBlock + 1) * kBlock;
      continue;
    }
    const size_t name_length = static_cast<unsigned char>(record->filename.len);
    if (length < 34 || at + length > bytes->size() || 33 + name_length > length) break;
    const std::string raw(&record->filename.str[1], name_length);
    at += length;
    has_self = has_self || raw == std::string(1, '\0');
    if (raw == std::string(1, '\0') || raw == std::string(1, '\1')) continue;
    // A file in several extents has a record for each, all but the last
    // flagged: one entry, with the extents after the first.
    const bool continues = (record->file_flags & ISO_MULTIEXTENT) != 0;
    if (continued && !entries.empty() && entries.back().raw == raw) {
      entries.back().more_extents.emplace_back(from_733(record->extent), from_733(record->size));
      continued = continues;
      continue;
    }
    continued = continues;
    DiscEntry entry;
    entry.raw = raw;
    entry.name = shown(raw);
    entry.folder = (record->file_flags & ISO_DIRECTORY) != 0;
    entry.block = from_733(record->extent);
    entry.size = from_733(record->size);
    entries.push_back(entry);
  }
  if (!has_self) return std::nullopt;
  return entries;
}

DiscEntry root_of(const iso9660_dir_t& record) {
  DiscEntry root;
  root.folder = true;
  root.block = from_733(record.extent);
  root.size = from_733(record.size);
  return root;
}

// The Joliet volume descriptor's root, where the image has one.
std::optional<DiscEntry> joliet_root(iso9660_t* iso) {
  for (uint32_t block = ISO_PVD_SECTOR; block < ISO_PVD_SECTOR + kMostDescriptors; ++block) {
    iso9660_svd_t svd;
    if (iso9660_iso_seek_read(iso, &svd, block, 1) != static_cast<long>(kBlock)) break;
    if (std::memcmp(svd.id, ISO_STANDARD_ID, 5) != 0 || svd.type == ISO_VD_END) break;
    if (svd.type == ISO_VD_SUPPLEMENTARY && is_joliet_descriptor(svd)) {
      return root_of(svd.root_directory_record);
    }
  }
  return std::nullopt;
}

}  // namespace

// A name as Windows shows it: without its ";1" version and a trailing dot
// ("README.;1" is README). Joliet names carry both as often as ISO 9660 ones.
std::u32string shown_iso_name(std::u32string name) {
  const size_t semicolon = name.rfind(U';');
  if (semicolon != std::u32string::npos &&
      std::all_of(name.begin() + static_cast<std::ptrdiff_t>(semicolon) + 1, name.end(),
                  [](char32_t c) { return c >= U'0' && c <= U'9'; })) {
    name.resize(semicolon);
  }
  if (!name.empty() && name.back() == U'.') name.pop_back();
  return name;
}

bool has_joliet_tree(const std::string& path) {
  iso9660_t* iso = iso9660_open_ext(path.c_str(), ISO_EXTENSION_NONE);
  if (iso == nullptr) return false;
  const bool found = joliet_root(iso).has_value();
  iso9660_close(iso);
  return found;
}

std::unique_ptr<DiscTree> open_iso_tree(const std::string& path, bool joliet) {
  const ImageFile image(path);
  if (!image.is_open()) return nullptr;
  const uint64_t blocks = whole_blocks(image.size());
  iso9660_t* iso = iso9660_open_ext(path.c_str(), ISO_EXTENSION_NONE);
  if (iso == nullptr) return nullptr;
  std::optional<DiscEntry> root;
  iso9660_pvd_t pvd;
  if (joliet) {
    root = joliet_root(iso);
  } else if (iso9660_ifs_read_pvd(iso, &pvd)) {
    root = root_of(pvd.root_directory_record);
  }
  if (!root) {
    iso9660_close(iso);
    return nullptr;
  }
  return std::make_unique<IsoTree>(iso, *root, joliet, blocks);
}

}  // namespace checker
