// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The disc image file, named by its path in UTF-8 on either system. Windows
// opens it through its wide file calls, so that a name in any script opens,
// as libcdio and libudfread open it there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace checker {

class ImageFile {
 public:
  explicit ImageFile(const std::string& path);
  ~ImageFile();
  ImageFile(const ImageFile&) = delete;
  ImageFile& operator=(const ImageFile&) = delete;

  bool is_open() const { return open_; }
  uint64_t size() const { return size_; }
  // Reads `bytes` bytes at `offset`; false unless every one was read.
  bool read_at(uint64_t offset, void* data, size_t bytes) const;

 private:
  intptr_t handle_ = -1;
  bool open_ = false;
  uint64_t size_ = 0;
};

// Whether the path names a file, not a folder, nor nothing.
bool is_plain_file(const std::string& path);

}  // namespace checker
