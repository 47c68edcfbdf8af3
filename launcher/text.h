// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Tiny text helpers; the Windows build has no C runtime to lean on.
#pragma once

#include <stdint.h>

namespace launcher {

// Copies a terminated text into a buffer of `size` bytes, always terminating
// it and never writing past the buffer.
inline void copy_text(char* destination, const char* source, uint32_t size) {
  if (size == 0) return;
  uint32_t i = 0;
  for (; i + 1 < size && source[i] != '\0'; ++i) destination[i] = source[i];
  destination[i] = '\0';
}

// Length of a terminated text, but never counting past `limit` bytes.
inline uint32_t text_length(const char* text, uint32_t limit) {
  uint32_t n = 0;
  while (n < limit && text[n] != '\0') ++n;
  return n;
}

}  // namespace launcher
