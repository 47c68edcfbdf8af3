// The tree on Windows: the real profile and file calls, on the tree's folder
// in the place of drive D:.
#include <windows.h>

#include <fstream>

#include "checker/tree.h"

namespace checker {

namespace {

class WindowsTree final : public Tree {
 public:
  explicit WindowsTree(std::string root) : root_(std::move(root)) {}

  uint32_t profile_string(const char* section, const char* key, const char* fallback, char* out,
                          uint32_t size, const std::string& d_path) override {
    const auto path = on_host(d_path);
    if (!path) {
      lstrcpynA(out, fallback, static_cast<int>(size));
      return static_cast<uint32_t>(lstrlenA(out));
    }
    return GetPrivateProfileStringA(section, key, fallback, out, size, path->c_str());
  }

  // The full path as Windows resolves it, moved back onto drive D:. (The
  // length limit of the launcher's file test is applied to that D: path, so
  // a tree deep in this machine's folders is judged as it will be on the CD.)
  std::optional<std::string> find_file(const std::string& d_path) override {
    const auto path = on_host(d_path);
    if (!path) return std::nullopt;
    char full[32768];
    const DWORD length = GetFullPathNameA(path->c_str(), sizeof(full), full, nullptr);
    if (length == 0 || length >= sizeof(full)) return std::nullopt;
    const DWORD attributes = GetFileAttributesA(full);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return std::nullopt;
    }
    const std::string text(full, length);
    if (text.size() < root_full_.size()) return std::nullopt;
    std::string rest = text.substr(root_full_.size());
    if (rest.empty() || rest[0] != '\\') rest = "\\" + rest;
    return "D:" + rest;
  }

  std::optional<std::string> read_file(const std::string& d_path, size_t limit) override {
    const auto path = on_host(d_path);
    if (!path) return std::nullopt;
    const DWORD attributes = GetFileAttributesA(path->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return std::nullopt;
    }
    std::ifstream in(*path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes;
    char chunk[65536];
    while (bytes.size() < limit && in.read(chunk, sizeof(chunk)).gcount() > 0) {
      bytes.append(chunk, static_cast<size_t>(in.gcount()));
    }
    if (bytes.size() > limit) bytes.resize(limit);
    return bytes;
  }

  bool resolve_root(std::string* error) {
    char full[32768];
    const DWORD length = GetFullPathNameA(root_.c_str(), sizeof(full), full, nullptr);
    const DWORD attributes = length == 0 ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(full);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      *error = "cannot find the tree " + root_;
      return false;
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      *error = root_ + " is not a folder";
      return false;
    }
    root_full_.assign(full, length);
    while (!root_full_.empty() && (root_full_.back() == '\\' || root_full_.back() == '/')) {
      root_full_.pop_back();
    }
    return true;
  }

 private:
  // The tree's folder in the place of "D:".
  std::optional<std::string> on_host(const std::string& d_path) const {
    if (d_path.size() < 2 || (d_path[0] != 'D' && d_path[0] != 'd') || d_path[1] != ':') {
      return std::nullopt;
    }
    std::string rest = d_path.substr(2);
    if (rest.empty() || (rest[0] != '\\' && rest[0] != '/')) rest = "\\" + rest;
    return root_full_ + rest;
  }

  std::string root_;
  std::string root_full_;
};

}  // namespace

std::unique_ptr<Tree> open_tree(const std::string& root, std::string* error) {
  auto tree = std::make_unique<WindowsTree>(root);
  if (!tree->resolve_root(error)) return nullptr;
  return tree;
}

}  // namespace checker
