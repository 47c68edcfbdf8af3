// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/names/code_page.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace checker {

namespace {
constexpr char32_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
}  // namespace

char32_t from_ansi(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
}

namespace {
struct BestFit {
  char16_t unit;
  unsigned char byte;
};
// What WideCharToMultiByte(1252, 0, ...) gives, taken from the real call.
constexpr BestFit kBestFit[] = {
#include "checker/names/best_fit_1252.inc"
};
}  // namespace

char to_ansi(char32_t c) {
  if (c < 0x80) return static_cast<char>(c);
  const auto* end = std::end(kBestFit);
  const auto* found = std::lower_bound(std::begin(kBestFit), end, c,
                                       [](const BestFit& e, char32_t u) { return e.unit < u; });
  return found != end && found->unit == c ? static_cast<char>(found->byte) : '?';
}

char32_t fold_case(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
  switch (c) {
    case 0x0161: return 0x0160;  // š
    case 0x0153: return 0x0152;  // œ
    case 0x017E: return 0x017D;  // ž
    case 0x00FF: return 0x0178;  // ÿ
    default: return c;
  }
}

namespace {
bool same_folded(const std::u32string& a, const std::u32string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (fold_case(a[i]) != fold_case(b[i])) return false;
  }
  return true;
}
}  // namespace

bool same_file_name(const std::string& utf8, const std::string& ansi) {
  return same_folded(decode_utf8(utf8), decode_ansi(ansi));
}

bool same_ansi_name(const std::string& a, const std::string& b) {
  return same_folded(decode_ansi(a), decode_ansi(b));
}

size_t utf8_sequence_at(const std::string& text, size_t at) {
  for (size_t length = 1; length <= 4 && at + length <= text.size(); ++length) {
    const std::string unit = text.substr(at, length);
    const std::u32string decoded = decode_utf8(unit);
    if (decoded.size() == 1 && decoded[0] != U'\uFFFD' && encode_utf8(decoded) == unit)
      return length;
  }
  return 0;
}

bool same_wide_name(const std::u32string& a, const std::u32string& b) { return same_folded(a, b); }

std::u32string decode_ansi(const std::string& bytes) {
  std::u32string text;
  text.reserve(bytes.size());
  for (const char b : bytes) text.push_back(from_ansi(static_cast<unsigned char>(b)));
  return text;
}

// Step by step as Wine's decoder (the witness of the profile test): a lead
// byte and the continuation bytes that still make a possible character are
// one unit; an invalid unit becomes one U+FFFD, and a sequence cut short by
// the end of the text one U+FFFD for all that is left.
std::u32string decode_utf8(const std::string& bytes) {
  std::u32string text;
  const size_t size = bytes.size();
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  for (size_t i = 0; i < size;) {
    const unsigned char lead = byte(i++);
    if (lead < 0x80) {
      text.push_back(lead);
      continue;
    }
    const size_t length = lead >= 0xC2 && lead <= 0xDF   ? 1
                          : lead >= 0xE0 && lead <= 0xEF ? 2
                          : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                         : 0;
    if (i + length > size) {
      text.push_back(U'\uFFFD');
      break;
    }
    constexpr unsigned char kMask[4] = {0x7F, 0x1F, 0x0F, 0x07};
    char32_t c = lead & kMask[length];
    const size_t end = i + length;
    bool valid = false;
    const auto take = [&](size_t at) {
      const unsigned char next = byte(at) ^ 0x80;
      if (next >= 0x40) return false;
      c = c << 6 | next;
      ++i;
      return true;
    };
    do {
      if (length == 0) break;
      if (length == 3 && (!take(end - 3) || c < 0x10 || c >= 0x110)) break;
      if (length >= 2 && (!take(end - 2) || c < 0x20 || (c >= 0x360 && c < 0x380))) break;
      valid = take(end - 1) && c >= 0x80;
    } while (false);
    text.push_back(valid ? c : U'\uFFFD');
  }
  return text;
}

std::string encode_utf8(const std::u32string& text) {
  std::string out;
  for (const char32_t c : text) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::u32string decode_utf16be(const std::string& bytes) {
  std::u32string text;
  const auto unit = [&](size_t i) -> char32_t {
    return static_cast<unsigned char>(bytes[i]) << 8 | static_cast<unsigned char>(bytes[i + 1]);
  };
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const char32_t c = unit(i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
        unit(i + 2) <= 0xDFFF) {
      text.push_back(0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00));
      i += 2;
    } else {
      text.push_back(c >= 0xD800 && c <= 0xDFFF ? U'\uFFFD' : c);
    }
  }
  return text;
}

std::string ansi_text(const std::string& utf8) {
  std::string out;
  for (const char32_t c : decode_utf8(utf8)) {
    const char byte = to_ansi(c);
    if (from_ansi(static_cast<unsigned char>(byte)) == c) {
      out.push_back(byte);
    } else {
      char code[16];
      std::snprintf(code, sizeof(code), "<U+%04X>", static_cast<unsigned>(c));
      out += code;
    }
  }
  return out;
}

std::string ansi_to_utf8(const std::string& text) { return encode_utf8(decode_ansi(text)); }

}  // namespace checker
