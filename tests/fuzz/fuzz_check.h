// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Invariant checks for the fuzz targets: a broken invariant aborts, so
// libFuzzer reports it as a crash with the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>

#define FUZZ_CHECK(condition)                                                                  \
  do {                                                                                         \
    if (!(condition)) {                                                                        \
      std::fprintf(stderr, "invariant broken at %s:%d: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                            \
    }                                                                                          \
  } while (0)

// True when `text` has its terminator within its first `size` bytes.
inline bool terminated_within(const char* text, size_t size) {
  return std::memchr(text, '\0', size) != nullptr;
}
