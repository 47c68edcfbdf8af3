#include "checker/image_tree.h"

#include <cdio/bytesex.h>
#include <cdio/iso9660.h>
#include <cdio/logging.h>
#include <cdio/udf.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <vector>

#include "checker/code_page.h"

namespace checker {

namespace {

constexpr size_t kBlock = ISO_BLOCKSIZE;
// No folder of a real disc comes near this; a larger one counts as unreadable.
constexpr uint64_t kLargestFolder = uint64_t{64} << 20;

struct DiscEntry {
  std::string name;  // UTF-8, as Windows shows it
  bool folder = false;
  uint32_t lsn = 0;
  uint64_t size = 0;
};

// An ISO 9660 name as Windows shows it: without its ";1" version and a
// trailing dot ("README.;1" is README).
std::string shown_iso_name(std::string raw) {
  const size_t semicolon = raw.rfind(';');
  if (semicolon != std::string::npos &&
      std::all_of(raw.begin() + static_cast<std::ptrdiff_t>(semicolon) + 1, raw.end(),
                  [](char c) { return c >= '0' && c <= '9'; })) {
    raw.resize(semicolon);
  }
  if (!raw.empty() && raw.back() == '.') raw.pop_back();
  return raw;
}

// What the two ISO trees have in common: a walk down folders by name, each
// folder listed once.
class ListedTree : public DiscTree {
 public:
  Tree::Entry entry(const std::vector<std::string>& parts) override {
    const auto found = walk(parts);
    if (!found) return Tree::Entry::kMissing;
    return found->folder ? Tree::Entry::kFolder : Tree::Entry::kFile;
  }

  std::optional<std::string> read(const std::vector<std::string>& parts, size_t limit) override {
    const auto found = walk(parts);
    if (!found || found->folder) return std::nullopt;
    if (limit == kWholeFile && found->size > kLargestRead) return std::nullopt;
    return read_entry(*found, std::min<uint64_t>(limit, found->size));
  }

  std::optional<std::vector<std::string>> names(const std::vector<std::string>& parts) override {
    const auto found = walk(parts);
    if (!found || !found->folder) return std::nullopt;
    const auto* listing = list(*found, parts);
    if (listing == nullptr) return std::nullopt;
    std::vector<std::string> out;
    for (const DiscEntry& e : *listing) out.push_back(e.name);
    return out;
  }

 protected:
  DiscEntry root_;

  // The folder's entries, "." and ".." left out; nullptr when unreadable.
  virtual const std::vector<DiscEntry>* list(const DiscEntry& folder,
                                             const std::vector<std::string>& path) = 0;
  virtual std::optional<std::string> read_entry(const DiscEntry& file, uint64_t bytes) = 0;

 private:
  std::optional<DiscEntry> walk(const std::vector<std::string>& parts) {
    DiscEntry at = root_;
    std::vector<std::string> path;  // the names as listed, for the library
    for (const std::string& part : parts) {
      if (!at.folder) return std::nullopt;
      const auto* listing = list(at, path);
      if (listing == nullptr) return std::nullopt;
      const auto match = std::find_if(listing->begin(), listing->end(),
                                      [&](const DiscEntry& e) { return same_file_name(e.name, part); });
      if (match == listing->end()) return std::nullopt;
      at = *match;
      path.push_back(match->name);
    }
    return at;
  }
};

// The two trees of an ISO 9660 image: its files are read by block.
class IsoImageTree : public ListedTree {
 public:
  explicit IsoImageTree(iso9660_t* iso) : iso_(iso) {}
  ~IsoImageTree() override { iso9660_close(iso_); }
  IsoImageTree(const IsoImageTree&) = delete;
  IsoImageTree& operator=(const IsoImageTree&) = delete;

 protected:
  std::optional<std::string> read_entry(const DiscEntry& file, uint64_t bytes) override {
    std::string data((bytes + kBlock - 1) / kBlock * kBlock, '\0');
    const long got = iso9660_iso_seek_read(iso_, data.data(), file.lsn, data.size() / kBlock);
    if (got < 0 || static_cast<uint64_t>(got) < bytes) return std::nullopt;
    data.resize(bytes);
    return data;
  }

  iso9660_t* iso_;
};

// The primary ISO 9660 tree. Its folders are read record by record with
// libiso9660's record layout: the library's own listing prefers Rock Ridge
// names, which Windows never reads.
class Iso9660Tree final : public IsoImageTree {
 public:
  using IsoImageTree::IsoImageTree;

  bool open_root() {
    iso9660_pvd_t pvd;
    if (!iso9660_ifs_read_pvd(iso_, &pvd)) return false;
    root_.folder = true;
    root_.lsn = iso9660_get_root_lsn(&pvd);
    root_.size = from_733(pvd.root_directory_record.size);
    return true;
  }

  DiscFileSystem file_system() const override { return DiscFileSystem::kIso9660; }

 protected:
  const std::vector<DiscEntry>* list(const DiscEntry& folder, const std::vector<std::string>&) override {
    const auto cached = listings_.find(folder.lsn);
    if (cached != listings_.end()) return cached->second ? &*cached->second : nullptr;
    auto& slot = listings_[folder.lsn];
    if (folder.size > kLargestFolder) return nullptr;
    const auto bytes = read_entry(folder, folder.size);
    if (!bytes) return nullptr;
    std::vector<DiscEntry> entries;
    bool has_self = false;  // every folder starts with its "." record
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
      if (raw == std::string(1, '\0') || raw == std::string(1, '\1')) continue;  // . and ..
      DiscEntry entry;
      entry.name = shown_iso_name(encode_utf8(decode_ansi(raw)));
      entry.folder = (record->file_flags & ISO_DIRECTORY) != 0;
      entry.lsn = from_733(record->extent);
      entry.size = from_733(record->size);
      entries.push_back(entry);
    }
    if (!has_self) return nullptr;
    slot = std::move(entries);
    return &*slot;
  }

 private:
  std::map<uint32_t, std::optional<std::vector<DiscEntry>>> listings_;
};

// The Joliet tree: libiso9660 lists it by path, its UCS-2 names as UTF-8.
class JolietTree final : public IsoImageTree {
 public:
  explicit JolietTree(iso9660_t* iso) : IsoImageTree(iso) { root_.folder = true; }

  DiscFileSystem file_system() const override { return DiscFileSystem::kJoliet; }

 protected:
  const std::vector<DiscEntry>* list(const DiscEntry&, const std::vector<std::string>& path) override {
    std::string where = "/";
    for (const std::string& name : path) where += name + "/";
    const auto cached = listings_.find(where);
    if (cached != listings_.end()) return cached->second ? &*cached->second : nullptr;
    auto& slot = listings_[where];
    CdioList_t* list = iso9660_ifs_readdir(iso_, where.c_str());
    if (list == nullptr) return nullptr;
    std::vector<DiscEntry> entries;
    bool has_self = false;  // every folder starts with its "." record
    for (CdioListNode_t* node = _cdio_list_begin(list); node != nullptr;
         node = _cdio_list_node_next(node)) {
      const auto* stat = static_cast<const iso9660_stat_t*>(_cdio_list_node_data(node));
      const std::string name = stat->filename;
      has_self = has_self || name == ".";
      if (name == "." || name == "..") continue;
      entries.push_back({name, stat->type == iso9660_stat_s::_STAT_DIR,
                         static_cast<uint32_t>(stat->lsn), stat->size});
    }
    iso9660_filelist_free(list);
    if (!has_self) return nullptr;
    slot = std::move(entries);
    return &*slot;
  }

 private:
  std::map<std::string, std::optional<std::vector<DiscEntry>>> listings_;
};

// libudf steps from one file identifier descriptor of a folder to the next
// without bounds checks, so a damaged image can send it far past the
// folder's buffer. True when the descriptor udf_readdir would go to next,
// name included, lies inside the folder's sectors (or when it would stop).
bool next_entry_is_safe(const udf_dirent_t* folder) {
  constexpr uint32_t kMostSectors = 32768;  // 64 MiB of folder
  if (folder->dir_left == 0) return true;
  if (folder->i_loc_end < folder->i_loc || folder->i_loc_end - folder->i_loc >= kMostSectors) {
    return false;
  }
  const uint32_t sectors = folder->i_loc_end - folder->i_loc + 1;
  const size_t size = size_t{sectors} * UDF_BLOCKSIZE;
  std::vector<uint8_t> first;
  const uint8_t* base = folder->sector;
  size_t at = 0;
  if (folder->fid == nullptr) {  // the first step reads the folder's sectors
    first.resize(size);
    if (udf_read_sectors(folder->p_udf, first.data(), folder->i_part_start + folder->i_loc,
                         sectors) != DRIVER_OP_SUCCESS) {
      return true;  // libudf fails the same read and stops
    }
    base = first.data();
  } else {
    const auto* here = reinterpret_cast<const uint8_t*>(folder->fid);
    if (base == nullptr || here < base || here >= base + size) return false;
    at = static_cast<size_t>(here - base) +
         4 * ((sizeof(udf_fileid_desc_t) + folder->fid->u.i_imp_use + folder->fid->i_file_id + 3) / 4);
  }
  if (at + sizeof(udf_fileid_desc_t) > size) return false;
  const auto* next = reinterpret_cast<const udf_fileid_desc_t*>(base + at);
  return at + sizeof(udf_fileid_desc_t) + next->u.i_imp_use + next->i_file_id <= size;
}

// The next entry of a folder, as udf_readdir gives it; nullptr at the end
// (the handle is freed then, as udf_readdir does), also where the folder is
// damaged.
udf_dirent_t* next_entry(udf_dirent_t* folder) {
  if (!next_entry_is_safe(folder)) {
    udf_dirent_free(folder);
    return nullptr;
  }
  return udf_readdir(folder);
}

// The UDF tree, walked from its root for every question (libudf's folder
// handles are iterators).
class UdfTree final : public DiscTree {
 public:
  explicit UdfTree(udf_t* udf) : udf_(udf) {}
  ~UdfTree() override { udf_close(udf_); }

  DiscFileSystem file_system() const override { return DiscFileSystem::kUdf; }

  Tree::Entry entry(const std::vector<std::string>& parts) override {
    udf_dirent_t* at = walk(parts);
    if (at == nullptr) return Tree::Entry::kMissing;
    const bool folder = udf_is_dir(at);
    udf_dirent_free(at);
    return folder ? Tree::Entry::kFolder : Tree::Entry::kFile;
  }

  std::optional<std::string> read(const std::vector<std::string>& parts, size_t limit) override {
    udf_dirent_t* at = walk(parts);
    if (at == nullptr) return std::nullopt;
    std::optional<std::string> data;
    const uint64_t size = udf_get_file_length(at);
    if (!udf_is_dir(at) && !(limit == kWholeFile && size > kLargestRead)) {
      const uint64_t want = std::min<uint64_t>(limit, size);
      data.emplace();
      char block[UDF_BLOCKSIZE];
      while (data->size() < want) {
        const ssize_t got = udf_read_block(at, block, 1);
        if (got <= 0) break;
        data->append(block, std::min<uint64_t>(static_cast<uint64_t>(got), want - data->size()));
      }
      if (data->size() < want) data.reset();
    }
    udf_dirent_free(at);
    return data;
  }

  std::optional<std::vector<std::string>> names(const std::vector<std::string>& parts) override {
    udf_dirent_t* at = walk(parts);
    if (at == nullptr) return std::nullopt;
    if (!udf_is_dir(at)) {
      udf_dirent_free(at);
      return std::nullopt;
    }
    std::vector<std::string> out;
    // next_entry moves the folder's handle onto each entry in turn, and
    // frees it at the end.
    while (next_entry(at) != nullptr) {
      const char* name = udf_get_filename(at);
      if (name != nullptr && *name != '\0' && std::strcmp(name, "..") != 0) out.push_back(name);
      if (out.size() > kMostNames) {
        udf_dirent_free(at);
        break;
      }
    }
    return out;
  }

 private:
  static constexpr size_t kMostNames = 1000000;

  // The entry the components name (the caller frees it), or nullptr.
  udf_dirent_t* walk(const std::vector<std::string>& parts) {
    udf_dirent_t* at = udf_get_root(udf_, true, 0);
    for (const std::string& part : parts) {
      if (at == nullptr) return nullptr;
      if (!udf_is_dir(at)) {
        udf_dirent_free(at);
        return nullptr;
      }
      udf_dirent_t* found = nullptr;
      size_t seen = 0;
      for (;;) {
        if (next_entry(at) == nullptr) {  // the end: the handle is freed
          at = nullptr;
          break;
        }
        const char* name = udf_get_filename(at);  // `at` is on the next entry
        if (++seen > kMostNames) break;
        if (name == nullptr || !same_file_name(name, part)) continue;
        if (udf_is_dir(at)) {
          found = udf_opendir(at);
        } else {
          found = at;  // the handle on the file itself
          at = nullptr;
        }
        break;
      }
      if (at != nullptr) udf_dirent_free(at);
      at = found;
    }
    return at;
  }

  udf_t* udf_;
};

bool quiet_logs() {
  // libcdio logs its complaints about damaged images to stderr; the
  // checker reports what it finds itself.
  cdio_loglevel_default = CDIO_LOG_ASSERT;
  return true;
}

}  // namespace

const char* file_system_name(DiscFileSystem fs) {
  switch (fs) {
    case DiscFileSystem::kIso9660: return "iso9660";
    case DiscFileSystem::kJoliet: return "joliet";
    case DiscFileSystem::kUdf: break;
  }
  return "udf";
}

DiscFileSystem DiscImage::read_by_98_and_later() const {
  return udf ? DiscFileSystem::kUdf : read_by_windows_95();
}

DiscFileSystem DiscImage::read_by_windows_95() const {
  return joliet ? DiscFileSystem::kJoliet : DiscFileSystem::kIso9660;
}

std::optional<DiscImage> probe_image(const std::string& path, std::string* error) {
  static const bool quiet = quiet_logs();
  (void)quiet;
  error->clear();
  // An ISO 9660 volume descriptor at block 16: "\1CD001".
  std::ifstream in(path, std::ios::binary);
  char head[6] = {};
  in.seekg(16 * kBlock);
  if (!in.read(head, sizeof(head)) || std::memcmp(head + 1, "CD001", 5) != 0) {
    udf_t* udf = udf_open(path.c_str());
    if (udf == nullptr) return std::nullopt;
    udf_close(udf);
    return DiscImage{false, false, true};
  }
  iso9660_t* iso = iso9660_open_ext(path.c_str(), ISO_EXTENSION_JOLIET);
  if (iso == nullptr) {
    *error = path + " is not a readable ISO 9660 image";
    return std::nullopt;
  }
  DiscImage image;
  image.joliet = iso9660_ifs_get_joliet_level(iso) > 0;
  iso9660_close(iso);
  if (udf_t* udf = udf_open(path.c_str())) {
    if (udf_dirent_t* root = udf_get_root(udf, true, 0)) {
      image.udf = true;
      udf_dirent_free(root);
    }
    udf_close(udf);
  }
  return image;
}

std::unique_ptr<DiscTree> open_disc_tree(const std::string& path, DiscFileSystem fs,
                                         std::string* error) {
  std::unique_ptr<DiscTree> tree;
  if (fs == DiscFileSystem::kUdf) {
    if (udf_t* udf = udf_open(path.c_str())) tree = std::make_unique<UdfTree>(udf);
  } else if (iso9660_t* iso = iso9660_open_ext(path.c_str(), fs == DiscFileSystem::kJoliet
                                                                   ? ISO_EXTENSION_JOLIET
                                                                   : ISO_EXTENSION_NONE)) {
    if (fs == DiscFileSystem::kJoliet) {
      tree = std::make_unique<JolietTree>(iso);
    } else {
      auto iso_tree = std::make_unique<Iso9660Tree>(iso);
      if (iso_tree->open_root()) tree = std::move(iso_tree);
    }
  }
  // A damaged image may open; its root folder must be there too.
  if (!tree || !tree->names({})) {
    *error = path + " is damaged: its " + file_system_name(fs) + " file system cannot be read";
    return nullptr;
  }
  return tree;
}

}  // namespace checker
