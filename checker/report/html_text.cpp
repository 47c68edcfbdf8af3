#include "checker/report/html_text.h"

#include <cstdio>

#include "checker/report/json_text.h"
#include "checker/windows/code_page.h"

namespace checker {

namespace {

// The length of the valid UTF-8 sequence at `at`; 0 when none starts there.
size_t valid_sequence(const std::string& text, size_t at) {
  for (size_t length = 1; length <= 4 && at + length <= text.size(); ++length) {
    const std::string unit = text.substr(at, length);
    const std::u32string decoded = decode_utf8(unit);
    if (decoded.size() == 1 && decoded[0] != U'\uFFFD' && encode_utf8(decoded) == unit) return length;
  }
  return 0;
}

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
    const size_t length = valid_sequence(utf8, i);
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
