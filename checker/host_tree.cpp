// The tree on a Unix file system: each component of a path on drive D: is
// looked up without regard to case, as Windows does, and "." and ".." are
// resolved as Windows resolves them, on the path's text alone.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "checker/code_page.h"
#include "checker/profile_reader.h"
#include "checker/tree.h"

namespace checker {

namespace {

bool same_name(const std::u32string& a, const std::u32string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (fold_case(a[i]) != fold_case(b[i])) return false;
  }
  return true;
}

// The components of a path on drive D:, resolved as GetFullPathName does:
// both slashes separate, "." and empty components go, ".." takes one back
// (never above the root), trailing dots and spaces of a name go. None when
// the path is not on drive D:.
std::optional<std::vector<std::string>> components(const std::string& d_path) {
  if (d_path.size() < 2 || (d_path[0] != 'D' && d_path[0] != 'd') || d_path[1] != ':') {
    return std::nullopt;
  }
  std::vector<std::string> parts;
  std::string part;
  const auto flush = [&] {
    if (part != "." && part != "..") {
      while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
    }
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    part.clear();
  };
  for (size_t i = 2; i < d_path.size(); ++i) {
    const char c = d_path[i];
    if (c == '\\' || c == '/') {
      flush();
    } else {
      part.push_back(c);
    }
  }
  flush();
  return parts;
}

class HostTree final : public Tree {
 public:
  explicit HostTree(std::string root) : root_(std::move(root)) {}

  uint32_t profile_string(const char* section, const char* key, const char* fallback, char* out,
                          uint32_t size, const std::string& d_path) override {
    return read_profile_string(read_file(d_path, Tree::kWholeFile), section, key, fallback, out, size);
  }

  std::optional<std::string> find_file(const std::string& d_path) override {
    const auto parts = components(d_path);
    if (!parts) return std::nullopt;
    const auto host = host_path(*parts);
    struct stat info {};
    if (!host || stat(host->c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    std::string full = "D:";
    for (const std::string& part : *parts) full += "\\" + part;
    if (parts->empty()) full += "\\";
    return full;
  }

  std::optional<std::string> read_file(const std::string& d_path, size_t limit) override {
    const auto parts = components(d_path);
    if (!parts) return std::nullopt;
    const auto host = host_path(*parts);
    struct stat info {};
    if (!host || stat(host->c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    // Windows reads a profile whole; past this size we give up rather than
    // exhaust memory, and the file counts as unreadable.
    if (limit == Tree::kWholeFile && info.st_size > kLargestRead) return std::nullopt;
    std::ifstream in(*host, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes(std::min(limit, static_cast<size_t>(info.st_size)), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    return bytes;
  }

  static constexpr off_t kLargestRead = off_t{256} << 20;

 private:
  // The host path of the components: each found in its folder by its exact
  // name, else by the first name that differs only in case. Names on disk
  // are UTF-8; the components are ANSI.
  std::optional<std::string> host_path(const std::vector<std::string>& parts) const {
    std::string path = root_;
    for (const std::string& part : parts) {
      const std::u32string wanted = decode_ansi(part);
      const std::string exact = encode_utf8(wanted);
      struct stat info {};
      if (stat((path + "/" + exact).c_str(), &info) == 0) {
        path += "/" + exact;
        continue;
      }
      DIR* folder = opendir(path.c_str());
      if (folder == nullptr) return std::nullopt;
      std::optional<std::string> found;
      while (const dirent* entry = readdir(folder)) {
        const std::string name = entry->d_name;
        if (name != "." && name != ".." && same_name(decode_utf8(name), wanted)) {
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
