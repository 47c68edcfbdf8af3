// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The name of a UDF revision, which is kept as its binary-coded digits.
#pragma once

#include <stdint.h>

#include <cstdio>
#include <string>

namespace checker {

// "2.01" for 0x0201, "1.50" for 0x0150.
inline std::string udf_revision_name(uint16_t revision) {
  char name[8];
  std::snprintf(name, sizeof(name), "%x.%02x", revision >> 8, revision & 0xFF);
  return name;
}

}  // namespace checker
