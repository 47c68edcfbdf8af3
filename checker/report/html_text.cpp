// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/report/html_text.h"

#include <cstdio>

#include "checker/report/json_text.h"
#include "checker/names/code_page.h"

namespace checker {

namespace {

std::string visible_byte(unsigned char byte) {
  char escape[8];
  std::snprintf(escape, sizeof(escape), "\\x%02X", byte);
  return escape;
}

}  // namespace

std::string html_text(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    const size_t length = utf8_sequence_at(utf8, i);
    if (length == 0 || (byte < 0x20 && byte != '\t' && byte != '\n') || byte == 0x7F) {
      out += visible_byte(byte);
      i += 1;
      continue;
    }
    switch (byte) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += utf8.substr(i, length);
    }
    i += length;
  }
  return out;
}

std::string html_ansi(const std::string& ansi) { return html_text(ansi_to_utf8(ansi)); }

}  // namespace checker
