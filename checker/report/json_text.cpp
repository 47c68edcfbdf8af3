// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/report/json_text.h"

#include <cstdio>

#include "checker/names/code_page.h"

namespace checker {

std::string quoted(const std::string& ansi) {
  std::string out = "\"";
  for (const char32_t c : decode_ansi(ansi)) {
    if (c == U'"' || c == U'\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof(escape), "\\u%04x", static_cast<unsigned>(c));
      out += escape;
    } else {
      out += encode_utf8(std::u32string(1, c));
    }
  }
  return out + "\"";
}

std::string quoted_utf8(const std::string& utf8) {
  std::string text;
  for (size_t i = 0; i < utf8.size();) {
    size_t length = utf8_sequence_at(utf8, i);
    if (length == 0) {
      char escape[8];
      // The text \xNN: its backslash escaped, as JSON asks.
      std::snprintf(escape, sizeof(escape), "\\\\x%02X", static_cast<unsigned char>(utf8[i]));
      text += escape;
      length = 1;
    } else if (utf8[i] == '"' || utf8[i] == '\\') {
      text += std::string("\\") + utf8[i];
    } else if (static_cast<unsigned char>(utf8[i]) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof(escape), "\\u%04x", static_cast<unsigned>(utf8[i]));
      text += escape;
    } else {
      text += utf8.substr(i, length);
    }
    i += length;
  }
  return "\"" + text + "\"";
}

}  // namespace checker
