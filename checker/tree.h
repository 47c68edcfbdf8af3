// An installation tree as the launcher sees it: the root of drive D:, whose
// paths the launcher's profile names. Implemented over the host's files
// (Linux) and over the real Windows calls (the Windows build).
#pragma once

#include <stdint.h>

#include <memory>
#include <optional>
#include <string>

namespace checker {

class Tree {
 public:
  virtual ~Tree() = default;

  // The profile read of the launcher (GetPrivateProfileStringA) on the file
  // at `d_path`, a path on drive D:.
  virtual uint32_t profile_string(const char* section, const char* key, const char* fallback,
                                  char* out, uint32_t size, const std::string& d_path) = 0;
  // The file at `d_path`, found as the file test (OpenFile) finds it: its
  // full path on drive D: ("." and ".." resolved, the spelling as given),
  // whatever its length. None for a missing file or a folder.
  virtual std::optional<std::string> find_file(const std::string& d_path) = 0;
  // Up to `limit` bytes of the file at a path on drive D:, none when it
  // cannot be read.
  virtual std::optional<std::string> read_file(const std::string& d_path, size_t limit) = 0;

  static constexpr size_t kWholeFile = static_cast<size_t>(-1);
};

// The tree at `root`, a folder of this machine; nullptr with a message in
// `error` when it is not a readable folder.
std::unique_ptr<Tree> open_tree(const std::string& root, std::string* error);

}  // namespace checker
