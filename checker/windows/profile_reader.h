// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// A reader of Windows profile (INI) files that gives what the ANSI profile
// call GetPrivateProfileStringA gives, byte for byte, for the Western code
// page 1252 the tree checker assumes. The rules were taken from the real
// call under Wine and are held to it by a differential test over generated
// and hostile profiles (tests/profile/).
#pragma once

#include <stdint.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace checker {

// How the profile's bytes were decoded.
enum class ProfileEncoding { kAnsi, kUtf8, kUtf16Le, kUtf16Be };

// The byte-order marks a profile reader decodes; a file with any other is
// read as raw ANSI bytes, its mark part of the first line.
struct ProfileMarks {
  bool utf8;
  bool utf16le;
  bool utf16be;
};
// Wine decodes all three marks. Windows NT decodes UTF-16LE only (a UTF-8
// mark, and UTF-16BE, are not recognised: reported from Windows 10);
// Windows 95/98/ME reads every file as raw bytes.
constexpr ProfileMarks kWineMarks{true, true, true};
constexpr ProfileMarks kWindowsNtMarks{false, true, false};
constexpr ProfileMarks kWindows9xMarks{false, false, false};

// Names as the ANSI call hands them out (best-fit bytes for text the code
// page lacks), and as the file spells them, which is what a request is
// compared with: "ENGL\u0131SH" is no ENGLISH, though its ANSI form is.
struct ProfileKey {
  std::string name;
  std::optional<std::string> value;  // none: the line had no '='
  int line = 0;                      // 1-based, as an editor counts lines
  std::u32string spelt;              // the name, decoded
};

struct ProfileSection {
  std::string name;
  std::vector<ProfileKey> keys;
  std::u32string spelt;  // the name, decoded
};

class Profile {
 public:
  // Parses the whole file as a profile call that decodes `marks` does.
  Profile(const std::string& bytes, ProfileMarks marks);

  // The section the profile call searches for `name`: the first whose name
  // matches; nullptr when none does.
  const ProfileSection* find_section(const std::string& name) const;
  // The key the profile call reads: the first of that name in the first
  // matching section (later duplicates of either are never read). nullptr
  // when missing, and when the key's line has no '='.
  const std::string* find_value(const std::string& section, const std::string& key) const;
  // The key line the profile call reads for `key`, with or without '=';
  // nullptr when there is none.
  const ProfileKey* find_key(const std::string& section, const std::string& key) const;

 private:
  std::vector<ProfileSection> sections_;
};

// GetPrivateProfileStringA for one key: `profile` is the parsed file, or
// nullptr when the file is missing. Writes the value (or the default) and its
// terminator into `out`, cut to size - 1 bytes, and returns the length.
uint32_t read_profile_string(const Profile* profile, const char* section, const char* key,
                             const char* fallback, char* out, uint32_t size);
// The same from the file's bytes (none when it is missing).
uint32_t read_profile_string(const std::optional<std::string>& bytes, ProfileMarks marks,
                             const char* section, const char* key, const char* fallback, char* out,
                             uint32_t size);

// What a profile's bytes are: the mark it starts with, else UTF-16 without
// a mark for text that looks like it, else ANSI.
enum class ProfileText { kAnsi, kUtf8, kUtf16Le, kUtf16Be, kUtf16WithoutMark, kUtf8WithoutMark };
ProfileText profile_text(const std::string& bytes);
// "ansi", "utf-8", "utf-16le", "utf-16be", "utf-16 without mark", "utf-8
// without mark".
const char* profile_text_name(ProfileText text);

// The text of the given lines of a profile (1-based, as the reader counts
// them), decoded as a reader that decodes `marks` decodes it, in UTF-8.
std::map<int, std::string> profile_lines(const std::string& bytes, ProfileMarks marks,
                                         const std::set<int>& wanted);

// The text as the profile call compares and copies it: up to its first NUL.
std::string up_to_nul(const std::string& text);

}  // namespace checker
