// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/windows/profile_reader.h"

#include <algorithm>
#include <cstring>

#include "checker/names/code_page.h"

namespace checker {

namespace {

// The profile reader's blanks: tab to carriage return, space, and ^Z (DOS
// end of file). Other separators and no-break spaces (1C-1F, A0) are text.
bool is_blank(char32_t c) { return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x1A; }

ProfileEncoding marked_encoding(const std::string& bytes) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  if (bytes.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF) {
    return ProfileEncoding::kUtf8;
  }
  if (bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE) return ProfileEncoding::kUtf16Le;
  if (bytes.size() >= 2 && byte(0) == 0xFE && byte(1) == 0xFF) return ProfileEncoding::kUtf16Be;
  return ProfileEncoding::kAnsi;
}

std::u32string decode(const std::string& bytes, ProfileMarks marks, ProfileEncoding* encoding) {
  std::u32string text;
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const ProfileEncoding marked = marked_encoding(bytes);
  if (marked == ProfileEncoding::kUtf8 && marks.utf8) {
    *encoding = ProfileEncoding::kUtf8;
    // The reader works in UTF-16: a character past U+FFFF is two units.
    for (const char32_t c : decode_utf8(bytes.substr(3))) {
      if (c < 0x10000) {
        text.push_back(c);
      } else {
        text.push_back(0xD800 + ((c - 0x10000) >> 10));
        text.push_back(0xDC00 + ((c - 0x10000) & 0x3FF));
      }
    }
    return text;
  }
  if ((marked == ProfileEncoding::kUtf16Le && marks.utf16le) ||
      (marked == ProfileEncoding::kUtf16Be && marks.utf16be)) {
    const bool little = marked == ProfileEncoding::kUtf16Le;
    *encoding = little ? ProfileEncoding::kUtf16Le : ProfileEncoding::kUtf16Be;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      text.push_back(little ? (byte(i) | byte(i + 1) << 8) : (byte(i) << 8 | byte(i + 1)));
    }
    return text;
  }
  *encoding = ProfileEncoding::kAnsi;
  return decode_ansi(bytes);
}

std::string encode(const char32_t* begin, const char32_t* end) {
  std::string out;
  out.reserve(static_cast<size_t>(end - begin));
  for (const char32_t* p = begin; p < end; ++p) out.push_back(to_ansi(*p));
  return out;
}

// A name of the file against a request (ANSI), each up to its first NUL.
bool same_name(const std::u32string& spelt, const std::string& request) {
  return same_wide_name(spelt.substr(0, spelt.find(U'\0')), decode_ansi(up_to_nul(request)));
}

// A name the caller asks for is taken without the blanks around it.
std::string trimmed_request(const char* name) {
  std::string text(name);
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && is_blank(from_ansi(static_cast<unsigned char>(text[begin])))) ++begin;
  while (end > begin && is_blank(from_ansi(static_cast<unsigned char>(text[end - 1])))) --end;
  return text.substr(begin, end - begin);
}

}  // namespace

std::string up_to_nul(const std::string& text) { return text.substr(0, text.find('\0')); }

std::map<int, std::string> profile_lines(const std::string& bytes, ProfileMarks marks,
                                         const std::set<int>& wanted) {
  ProfileEncoding encoding = ProfileEncoding::kAnsi;
  const std::u32string text = decode(bytes, marks, &encoding);
  std::map<int, std::string> lines;
  int line = 1;
  for (size_t start = 0; start < text.size() && line <= (wanted.empty() ? 0 : *wanted.rbegin());) {
    size_t end = start;
    while (end < text.size() && text[end] != U'\n' && text[end] != U'\r') ++end;
    if (wanted.count(line)) lines[line] = encode_utf8(text.substr(start, end - start));
    // CR LF ends one line, as the reader counts them.
    start = end + (end + 1 < text.size() && text[end] == U'\r' && text[end + 1] == U'\n' ? 2 : 1);
    ++line;
  }
  return lines;
}

const char* profile_text_name(ProfileText text) {
  switch (text) {
    case ProfileText::kUtf8: return "utf-8";
    case ProfileText::kUtf16Le: return "utf-16le";
    case ProfileText::kUtf16Be: return "utf-16be";
    case ProfileText::kUtf16WithoutMark: return "utf-16 without mark";
    case ProfileText::kUtf8WithoutMark: return "utf-8 without mark";
    case ProfileText::kAnsi: break;
  }
  return "ansi";
}

namespace {

// Valid UTF-8 with at least one character beyond ASCII: text an editor
// saved as UTF-8, which Windows reads as ANSI all the same. Windows-1252
// text is seldom valid UTF-8 (an accented letter followed by two symbols).
bool is_utf8_beyond_ascii(const std::string& bytes) {
  bool beyond = false;
  for (size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const size_t length = lead < 0x80                             ? 1
                          : (lead & 0xE0) == 0xC0 && lead >= 0xC2 ? 2
                          : (lead & 0xF0) == 0xE0                 ? 3
                          : (lead & 0xF8) == 0xF0 && lead <= 0xF4 ? 4
                                                                  : 0;
    if (length == 0 || i + length > bytes.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    }
    beyond = beyond || length > 1;
    i += length;
  }
  return beyond;
}

}  // namespace

ProfileText profile_text(const std::string& bytes) {
  switch (marked_encoding(bytes)) {
    case ProfileEncoding::kUtf8: return ProfileText::kUtf8;
    case ProfileEncoding::kUtf16Le: return ProfileText::kUtf16Le;
    case ProfileEncoding::kUtf16Be: return ProfileText::kUtf16Be;
    case ProfileEncoding::kAnsi: break;
  }
  // UTF-16 without a mark: Latin text in it has a NUL in every other byte.
  size_t even = 0;
  size_t odd = 0;
  for (size_t i = 0; i < bytes.size(); ++i) (i % 2 == 0 ? even : odd) += bytes[i] == '\0';
  const size_t half = bytes.size() / 2;
  if (half >= 4 && std::max(even, odd) * 10 >= half * 9 && std::min(even, odd) * 10 < half) {
    return ProfileText::kUtf16WithoutMark;
  }
  return is_utf8_beyond_ascii(bytes) ? ProfileText::kUtf8WithoutMark : ProfileText::kAnsi;
}

Profile::Profile(const std::string& bytes, ProfileMarks marks) {
  ProfileEncoding encoding = ProfileEncoding::kAnsi;
  const std::u32string text = decode(bytes, marks, &encoding);
  sections_.push_back({});  // keys before the first section header: never found
  const char32_t* next = text.data();
  const char32_t* const end = text.data() + text.size();
  bool previous_name_empty = false;
  bool section_has_keys = false;
  int line = 0;
  while (next < end) {
    const char32_t* start = next;
    ++line;
    // A line ends at a line feed or at a carriage return of its own.
    const char32_t* newline =
        std::find_if(start, end, [](char32_t c) { return c == U'\n' || c == U'\r'; });
    next = newline == end ? end : newline + 1;
    const char32_t* stop = next;
    // CR LF is one line end for an editor; the empty line the reader sees
    // between the two changes nothing.
    if (newline != end && *newline == U'\r' && next != end && *next == U'\n') ++next;
    while (start < stop && is_blank(*start)) ++start;
    while (stop > start && is_blank(stop[-1])) --stop;
    if (start >= stop) continue;

    if (*start == U'[') {
      // The name runs to the last ']' of the line, less the blanks around
      // it; a header without one is read as a key line.
      const char32_t* close = stop;
      while (close > start && close[-1] != U']') --close;
      if (close > start) {
        const char32_t* name = start + 1;
        const char32_t* name_end = close - 1;
        while (name < name_end && is_blank(*name)) ++name;
        while (name_end > name && is_blank(name_end[-1])) --name_end;
        sections_.push_back({encode(name, name_end), {}, std::u32string(name, name_end)});
        section_has_keys = false;
        continue;
      }
    }

    const char32_t* equals = std::find(start, stop, U'=');
    const char32_t* name_end = stop;
    std::optional<std::string> value;
    if (equals != stop) {
      name_end = equals;
      while (name_end > start && is_blank(name_end[-1])) --name_end;
      const char32_t* value_start = equals + 1;
      while (value_start < stop && is_blank(*value_start)) ++value_start;
      value = encode(value_start, stop);
    }
    // Consecutive lines with an empty name make one key, as Windows keeps them.
    const bool has_name = name_end != start;
    if (has_name || !section_has_keys || !previous_name_empty) {
      sections_.back().keys.push_back(
          {encode(start, name_end), value, line, std::u32string(start, name_end)});
      section_has_keys = true;
      previous_name_empty = !has_name || *start == U'\0';
    }
  }
}

const ProfileSection* Profile::find_section(const std::string& name) const {
  for (const ProfileSection& section : sections_) {
    if (!up_to_nul(section.name).empty() && same_name(section.spelt, name)) {
      return &section;
    }
  }
  return nullptr;
}

const ProfileKey* Profile::find_key(const std::string& section_name, const std::string& key) const {
  const ProfileSection* section = find_section(section_name);
  if (section == nullptr) return nullptr;
  for (const ProfileKey& k : section->keys) {
    if (same_name(k.spelt, key)) return &k;
  }
  return nullptr;
}

const std::string* Profile::find_value(const std::string& section_name,
                                       const std::string& key) const {
  const ProfileKey* found = find_key(section_name, key);
  return found != nullptr && found->value ? &*found->value : nullptr;
}

uint32_t read_profile_string(const std::optional<std::string>& bytes, ProfileMarks marks,
                             const char* section, const char* key, const char* fallback, char* out,
                             uint32_t size) {
  if (!bytes) return read_profile_string(nullptr, section, key, fallback, out, size);
  const Profile parsed(*bytes, marks);
  return read_profile_string(&parsed, section, key, fallback, out, size);
}

uint32_t read_profile_string(const Profile* profile, const char* section, const char* key,
                             const char* fallback, char* out, uint32_t size) {
  if (size == 0) return 0;
  // The default loses its trailing spaces (only spaces).
  std::string chosen(fallback);
  while (!chosen.empty() && chosen.back() == ' ') chosen.pop_back();
  if (*key == '\0') {  // an empty key name reads nothing
    out[0] = '\0';
    return 0;
  }
  if (profile != nullptr) {
    const std::string* value = profile->find_value(trimmed_request(section), trimmed_request(key));
    if (value != nullptr) chosen = *value;
  }
  chosen = up_to_nul(chosen);
  // Matching quotes around a value (or the default) are dropped; a value
  // cut short keeps its closing quote, less its last character.
  std::string text = chosen;
  bool quoted = false;
  if (text.size() >= 2 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0]) {
    quoted = true;
    text.erase(0, 1);
  }
  const size_t whole = text.size();
  text.resize(std::min<size_t>(whole, size - 1));
  if (quoted && size >= whole && !text.empty()) text.pop_back();
  // Only the text and its terminator are written.
  const size_t n = text.size();
  std::memcpy(out, text.c_str(), n + 1);
  return static_cast<uint32_t>(n);
}

}  // namespace checker
