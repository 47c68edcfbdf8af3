// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The command-line rule on any bytes, with or without a lead-byte table.
#include <cstdint>
#include <string>

#include "launcher/command_line.h"
#include "tests/fuzz/fuzz_check.h"

namespace {
bool is_blank(unsigned char c) { return c >= 1 && c <= 32; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  uint8_t ranges[platform::kLeadByteTableSize] = {};
  // First byte: whether a double-byte code page is in force; if so, the next
  // twelve bytes are its lead-byte ranges.
  if (size > 0 && (data[0] & 1) != 0 && size > platform::kLeadByteTableSize) {
    std::memcpy(ranges, data + 1, platform::kLeadByteTableSize);
    data += platform::kLeadByteTableSize;
    size -= platform::kLeadByteTableSize;
  }
  if (size > 0) {
    ++data;
    --size;
  }
  // The line in a buffer of exactly its length and terminator, so that any
  // read past the end is caught.
  const std::string line(reinterpret_cast<const char*>(data), size);
  const size_t length = std::strlen(line.c_str());
  const char* tail = launcher::command_line_tail(line.c_str(), ranges);

  FUZZ_CHECK(tail >= line.c_str() && tail <= line.c_str() + length);
  FUZZ_CHECK(!is_blank(static_cast<unsigned char>(*tail)));
  const size_t removed = static_cast<size_t>(tail - line.c_str());
  const auto* bytes = reinterpret_cast<const unsigned char*>(line.c_str());
  if (length == 0 || is_blank(bytes[0])) {
    // No name: only leading blanks go.
    for (size_t i = 0; i < removed; ++i) FUZZ_CHECK(is_blank(bytes[i]));
  } else if (bytes[0] != '"') {
    // An unquoted name runs to the first blank; only blanks follow it.
    size_t name_end = 0;
    while (name_end < length && !is_blank(bytes[name_end])) ++name_end;
    FUZZ_CHECK(removed >= name_end);
    for (size_t i = name_end; i < removed; ++i) FUZZ_CHECK(is_blank(bytes[i]));
  } else if (ranges[0] == 0 && ranges[1] == 0) {
    // Single-byte: the name ends at the second quote, then blanks go.
    const char* close = std::strchr(line.c_str() + 1, '"');
    const size_t name_end =
        close == nullptr ? length : static_cast<size_t>(close - line.c_str()) + 1;
    FUZZ_CHECK(removed >= name_end);
    for (size_t i = name_end; i < removed; ++i) FUZZ_CHECK(is_blank(bytes[i]));
  }
  return 0;
}
