// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The tree on a Unix file system: each component of a full path on drive D:
// is looked up without regard to case, as Windows does.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <algorithm>
#include <fstream>
#include <vector>

#include "checker/names/code_page.h"
#include "checker/source/tree.h"

namespace checker {

namespace {

class HostTree final : public Tree {
 public:
  explicit HostTree(std::string root) : root_(std::move(root)) {}

  Entry entry(const std::vector<std::string>& parts) override {
    bool unreadable = false;
    const auto host = host_path(parts, &unreadable);
    struct stat info {};
    if (!host) return unreadable ? Entry::kUnreadable : Entry::kMissing;
    if (stat(host->c_str(), &info) != 0)
      return errno == EACCES ? Entry::kUnreadable : Entry::kMissing;
    if (!S_ISDIR(info.st_mode) && !S_ISREG(info.st_mode)) return Entry::kMissing;
    if (access(host->c_str(), S_ISDIR(info.st_mode) ? R_OK | X_OK : R_OK) != 0)
      return Entry::kUnreadable;
    return S_ISDIR(info.st_mode) ? Entry::kFolder : Entry::kFile;
  }

  std::optional<std::string> host_file(const std::vector<std::string>& parts) override {
    bool unreadable = false;
    return host_path(parts, &unreadable);
  }

  std::optional<std::string> read(const std::vector<std::string>& parts, size_t limit) override {
    bool unreadable = false;
    const auto host = host_path(parts, &unreadable);
    struct stat info {};
    if (!host || stat(host->c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    if (limit == Tree::kWholeFile && static_cast<uint64_t>(info.st_size) > kLargestRead) {
      return std::nullopt;
    }
    std::ifstream in(*host, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes(std::min(limit, static_cast<size_t>(info.st_size)), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return bytes;
  }

 private:
  // The host path of the components: each found in its folder by its exact
  // name, else by the first name that differs only in case. Names on disk
  // are UTF-8; the components are ANSI. `unreadable` is set where a folder
  // on the way is there but cannot be listed.
  std::optional<std::string> host_path(const std::vector<std::string>& parts,
                                       bool* unreadable) const {
    std::string path = root_;
    for (const std::string& part : parts) {
      const std::string exact = encode_utf8(decode_ansi(part));
      struct stat info {};
      if (stat((path + "/" + exact).c_str(), &info) == 0) {
        path += "/" + exact;
        continue;
      }
      DIR* folder = opendir(path.c_str());
      if (folder == nullptr) {
        *unreadable = errno == EACCES;
        return std::nullopt;
      }
      std::optional<std::string> found;
      while (const dirent* entry = readdir(folder)) {
        const std::string name = entry->d_name;
        if (name != "." && name != ".." && same_file_name(name, part)) {
          found = name;
          break;
        }
      }
      closedir(folder);
      if (!found) return std::nullopt;
      path += "/" + *found;
    }
    return path;
  }

  std::string root_;
};

}  // namespace

std::unique_ptr<Tree> open_tree(const std::string& root, std::string* error) {
  struct stat info {};
  if (stat(root.c_str(), &info) != 0) {
    *error = "cannot find the tree " + root;
    return nullptr;
  }
  if (!S_ISDIR(info.st_mode)) {
    *error = root + " is not a folder";
    return nullptr;
  }
  DIR* folder = opendir(root.c_str());
  if (folder == nullptr) {
    *error = "cannot read the folder " + root;
    return nullptr;
  }
  closedir(folder);
  return std::make_unique<HostTree>(root);
}

}  // namespace checker
