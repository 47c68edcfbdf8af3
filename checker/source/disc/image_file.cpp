// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/source/disc/image_file.h"

#ifdef _WIN32
#include "checker/source/wide_text.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace checker {

#ifdef _WIN32
namespace {

HANDLE handle_of(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

ImageFile::ImageFile(const std::string& path) {
  const HANDLE file = CreateFileW(wide_from_utf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  handle_ = reinterpret_cast<intptr_t>(file);
  LARGE_INTEGER size{};
  open_ = GetFileSizeEx(file, &size) != 0;
  size_ = open_ ? static_cast<uint64_t>(size.QuadPart) : 0;
}

ImageFile::~ImageFile() {
  if (handle_ != -1) CloseHandle(handle_of(handle_));
}

bool ImageFile::read_at(uint64_t offset, void* data, size_t bytes) const {
  auto* at = static_cast<char*>(data);
  while (open_ && bytes > 0) {
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(offset);
    position.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD got = 0;
    const DWORD wanted = static_cast<DWORD>(bytes < (1u << 20) ? bytes : (1u << 20));
    if (!ReadFile(handle_of(handle_), at, wanted, &got, &position) || got == 0) return false;
    at += got;
    offset += got;
    bytes -= got;
  }
  return open_;
}

bool is_plain_file(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(wide_from_utf8(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
#else
ImageFile::ImageFile(const std::string& path) {
  const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) return;
  handle_ = file;
  struct stat info {};
  open_ = fstat(file, &info) == 0;
  size_ = open_ ? static_cast<uint64_t>(info.st_size) : 0;
}

ImageFile::~ImageFile() {
  if (handle_ != -1) close(static_cast<int>(handle_));
}

bool ImageFile::read_at(uint64_t offset, void* data, size_t bytes) const {
  auto* at = static_cast<char*>(data);
  while (open_ && bytes > 0) {
    const ssize_t got = pread(static_cast<int>(handle_), at, bytes, static_cast<off_t>(offset));
    if (got <= 0) return false;
    at += got;
    offset += static_cast<uint64_t>(got);
    bytes -= static_cast<size_t>(got);
  }
  return open_;
}

bool is_plain_file(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
#endif

}  // namespace checker
