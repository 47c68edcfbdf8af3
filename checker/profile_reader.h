// A reader of Windows profile (INI) files that gives what the ANSI profile
// call GetPrivateProfileStringA gives, byte for byte, for the Western code
// page 1252 the tree checker assumes. The rules were taken from the real
// call under Wine and are held to it by a differential test over generated
// and hostile profiles (tests/profile/).
#pragma once

#include <stdint.h>

#include <optional>
#include <string>
#include <vector>

namespace checker {

// How the profile's bytes are decoded. Windows NT's reader (and Wine's)
// decodes a file with a UTF-8 byte-order mark, or UTF-16 text, before it
// parses it; Windows 95's reader takes every file as raw ANSI bytes.
enum class ProfileEncoding { kAnsi, kUtf8, kUtf16Le, kUtf16Be };

struct ProfileKey {
  std::string name;
  std::optional<std::string> value;  // none: the line had no '='
};

struct ProfileSection {
  std::string name;
  std::vector<ProfileKey> keys;
};

class Profile {
 public:
  // Parses the whole file as the profile call does.
  explicit Profile(const std::string& bytes);

  ProfileEncoding encoding() const { return encoding_; }
  // Sections in file order, duplicates included. Names and values are ANSI
  // bytes and may hold NUL bytes; the profile call sees each only up to the
  // first of them.
  const std::vector<ProfileSection>& sections() const { return sections_; }

  // The section the profile call searches for `name`: the first whose name
  // matches; nullptr when none does.
  const ProfileSection* find_section(const std::string& name) const;
  // The key the profile call reads: the first of that name in the first
  // matching section (later duplicates of either are never read). nullptr
  // when missing, and when the key's line has no '='.
  const std::string* find_value(const std::string& section, const std::string& key) const;

 private:
  ProfileEncoding encoding_ = ProfileEncoding::kAnsi;
  std::vector<ProfileSection> sections_;
};

// GetPrivateProfileStringA for one key: `profile` is the file's content, or
// none when the file is missing. Writes the value (or the default) and its
// terminator into `out`, cut to size - 1 bytes, and returns the length.
uint32_t read_profile_string(const std::optional<std::string>& profile, const char* section,
                             const char* key, const char* fallback, char* out, uint32_t size);

// The text as the profile call compares and copies it: up to its first NUL.
std::string up_to_nul(const std::string& text);

}  // namespace checker
