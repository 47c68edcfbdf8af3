// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The releases of Windows as they read a disc: releases that read the same
// UDF revisions (none, 1.02, 1.50, 2.01, 2.60) read a disc alike, and one
// reader stands for them in the disc's report.
#pragma once

#include <stdint.h>

#include "checker/windows/releases.h"

namespace checker {

struct DiscReader {
  const char* title;    // "Windows 98/ME"
  const char* name;     // "98-me": the JSON report's key
  const char* release;  // "98": the oldest release it stands for
  // The newest UDF revision it reads (0: none; it reads Joliet, else ISO
  // 9660): its release's.
  uint16_t newest_udf() const;
};

// Windows 95 and NT 4.0, 98/ME, 2000, XP, and Vista and later, oldest
// first: one for each newest UDF revision of the release table.
inline constexpr DiscReader kDiscReaders[] = {
    {"Windows 95/NT 4.0", "95", "95"},
    {"Windows 98/ME", "98-me", "98"},
    {"Windows 2000", "2000", "2000"},
    {"Windows XP", "xp", "xp"},
    {"Windows Vista and later", "vista-and-later", "vista"},
};

// The reader that stands for `release`.
const DiscReader& disc_reader_of(const Release& release);

}  // namespace checker
