// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The tree on Windows: the Windows file calls on the tree's folder in the
// place of drive D:. Paths are resolved by the checker's own rules first
// (path_rules.h) and then handed over literally ("\\?\" paths), so that
// Windows does not resolve them a second time, no ".." leaves the tree, and
// no length limit of this machine applies.
#include <windows.h>

#include "checker/names/code_page.h"
#include "checker/source/tree.h"
#include "checker/source/wide_text.h"

namespace checker {

namespace {

// A component as UTF-16: every character of code page 1252 is one unit.
std::wstring wide(const std::string& ansi) {
  std::wstring out;
  for (const char32_t c : decode_ansi(ansi)) out.push_back(static_cast<wchar_t>(c));
  return out;
}

class WindowsTree final : public Tree {
 public:
  explicit WindowsTree(std::string root) : root_(std::move(root)) {}

  Entry entry(const std::vector<std::string>& parts) override {
    const DWORD attributes = GetFileAttributesW(on_host(parts).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      return GetLastError() == ERROR_ACCESS_DENIED ? Entry::kUnreadable : Entry::kMissing;
    }
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? Entry::kFolder : Entry::kFile;
  }

  std::optional<std::string> read(const std::vector<std::string>& parts, size_t limit) override {
    const HANDLE file = CreateFileW(on_host(parts).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    LARGE_INTEGER size{};
    std::optional<std::string> bytes;
    if (GetFileSizeEx(file, &size) &&
        !(limit == kWholeFile && static_cast<uint64_t>(size.QuadPart) > kLargestRead)) {
      bytes.emplace(static_cast<size_t>(std::min<uint64_t>(limit, size.QuadPart)), '\0');
      size_t done = 0;
      DWORD got = 0;
      while (done < bytes->size() &&
             ReadFile(file, bytes->data() + done,
                      static_cast<DWORD>(std::min<size_t>(bytes->size() - done, 1 << 20)), &got,
                      nullptr) &&
             got > 0) {
        done += got;
      }
      bytes->resize(done);
    }
    CloseHandle(file);
    return bytes;
  }

  bool resolve_root(std::string* error) {
    // The folder as the command line named it, in UTF-8.
    const std::wstring given = wide_from_utf8(root_);
    wchar_t full[32768];
    const DWORD length = GetFullPathNameW(given.c_str(), 32768, full, nullptr);
    const DWORD attributes =
        length == 0 || length >= 32768 ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(full);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      *error = "cannot find the tree " + root_;
      return false;
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      *error = root_ + " is not a folder";
      return false;
    }
    // A drive root ("E:\", a mounted disc) or any folder; \\server\share
    // becomes \\?\UNC\server\share.
    std::wstring root(full, length);
    while (!root.empty() && (root.back() == L'\\' || root.back() == L'/')) root.pop_back();
    if (root.rfind(L"\\\\?\\", 0) == 0) {
      root_literal_ = root;
    } else if (root.rfind(L"\\\\", 0) == 0) {
      root_literal_ = L"\\\\?\\UNC\\" + root.substr(2);
    } else {
      root_literal_ = L"\\\\?\\" + root;
    }
    return true;
  }

 private:
  // The tree's folder in the place of "D:". The components are ANSI text
  // of the tree (code page 1252, as on Linux), not of this machine.
  std::wstring on_host(const std::vector<std::string>& parts) const {
    std::wstring path = root_literal_;
    for (const std::string& part : parts) path += L"\\" + wide(part);
    if (parts.empty()) path += L"\\";
    return path;
  }

  std::string root_;
  std::wstring root_literal_;
};

}  // namespace

std::unique_ptr<Tree> open_tree(const std::string& root, std::string* error) {
  auto tree = std::make_unique<WindowsTree>(root);
  if (!tree->resolve_root(error)) return nullptr;
  return tree;
}

}  // namespace checker
