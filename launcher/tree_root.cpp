// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "launcher/tree_root.h"

#include "launcher/text.h"

namespace launcher {

bool has_drive(const char* text, uint32_t length) {
  if (length < 2) return false;
  const char letter = static_cast<char>(text[0] | 0x20);
  return letter >= 'a' && letter <= 'z' && text[1] == ':';
}

// "\\server\share": both names there, and neither "?" nor "." as the server
// (the device and long-path forms, whose paths the shell does not take).
uint32_t drive_or_share_length(const char* own_path, uint32_t length) {
  if (has_drive(own_path, length)) return 2;
  if (length < 2 || own_path[0] != '\\' || own_path[1] != '\\') return 0;
  uint32_t i = 2;
  for (int name = 0; name < 2; ++name) {
    const uint32_t start = i;
    while (i < length && own_path[i] != '\\') ++i;
    if (i == start) return 0;
    if (name == 0) {
      if (i - start == 1 && (own_path[start] == '?' || own_path[start] == '.')) return 0;
      if (i++ == length) return 0;
    }
  }
  return i;
}

uint32_t own_folder_length(const char* own_path, uint32_t length) {
  uint32_t folder = 0;
  for (uint32_t i = 0; i < length; ++i) {
    if (own_path[i] == '\\') folder = i;
  }
  return folder;
}

// Called four times: kept out of line even where the sequence is flattened.
[[gnu::noinline]] bool rebase(char* path, uint32_t size, const char* root, uint32_t root_length) {
  const uint32_t tail = text_length(path + 2, size - 2);
  if (root_length + tail >= size) return false;
  // The tail and its terminator move from the back, as the root is longer.
  for (uint32_t i = tail + 1; i-- != 0;) path[root_length + i] = path[2 + i];
  for (uint32_t i = 0; i < root_length; ++i) path[i] = root[i];
  return true;
}

}  // namespace launcher
