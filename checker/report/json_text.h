// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Text in a JSON document, from either encoding the checker holds: ANSI
// (code page 1252: the profile's values, the messages) or UTF-8 (host paths).
#pragma once

#include <string>

namespace checker {

// ANSI text as a JSON string.
std::string quoted(const std::string& ansi);

// UTF-8 text as a JSON string: as it is, where valid; a byte that is no
// part of UTF-8 as the text \xNN (written "\\xNN"), never decoded as ANSI.
std::string quoted_utf8(const std::string& utf8);

}  // namespace checker
