// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/windows/disc_readers.h"

namespace checker {

uint16_t DiscReader::newest_udf() const { return (*release_named(release))->newest_udf; }

const DiscReader& disc_reader_of(const Release& release) {
  for (const DiscReader& reader : kDiscReaders) {
    if (reader.newest_udf() == release.newest_udf) return reader;
  }
  return kDiscReaders[0];  // none: the table test says every release has one
}

}  // namespace checker
