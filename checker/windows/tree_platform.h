// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The launcher's platform, answered from an installation tree for one
// release of Windows: the launcher lies at the tree's top, the place it is
// started from (the root of drive D: unless said otherwise), and is
// double-clicked, the user's language is the one being checked (in the
// registry or as the display language), the profile and file calls go to
// the tree, and program starts and message boxes are
// recorded instead of made. Paths inside the place are kept as paths on
// drive D:, the tree's own spelling; paths outside it name nothing.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "checker/windows/profile_reader.h"
#include "checker/windows/program_start.h"
#include "checker/source/tree.h"
#include "checker/windows/releases.h"
#include "platform/platform.h"

namespace checker {

struct ProgramStart {
  std::string file;
  std::string parameters;
  int show;
  intptr_t result;   // the launch result the platform would give
  std::string note;  // what the start does, or why it fails (see PredictedStart)
  StartKind kind;
};

// The user's language as the launcher meets it.
struct UserLanguage {
  // HKCU\Control Panel\Desktop\ResourceLocale; none: the user's profile
  // holds no such value (Windows 2000 and later).
  std::optional<std::string> resource_locale;
  // GetUserDefaultUILanguage; 0 where Windows lacks the call (95, 98, NT 4.0).
  uint16_t display_language = 0;
  // GetUserDefaultLangID, which every Windows answers: what NT 4.0, with
  // neither of the above, gives the launcher. 0: not modelled here.
  uint16_t user_locale = 0;
};

// The profile marks a release of Windows decodes.
ProfileMarks marks_of(const Release& release);

class TreePlatform final : public platform::Platform {
 public:
  static constexpr char kOwnPath[] = "D:\\launcher.exe";
  static constexpr char kDriveD[] = "D:";

  // With the profile read as a reader that decodes `marks` reads it, and
  // the launcher started from `place` ("D:", "C:\\deploy\\1a", "\\\\srv\\share").
  TreePlatform(Tree& tree, UserLanguage user, const Release& release, ProfileMarks marks,
               std::string place = kDriveD)
      : tree_(tree),
        user_(std::move(user)),
        release_(&release),
        marks_(marks),
        place_(std::move(place)),
        own_path_(place_ + "\\launcher.exe"),
        command_line_("\"" + own_path_ + "\"") {}

  std::vector<ProgramStart> starts;
  std::vector<std::string> boxes;
  std::string tested_path;  // the setup path the file test was given, on drive D: where in the tree
  std::string
      found_path;  // what it found, at any length, as spelt from the place ("" when nothing)
  std::string profile_path;  // the profile the launch read, as the launcher named it
  // The first file the launch needed but could not read (the profile, or
  // the setup program the file test looks for; "" for none): what the
  // launcher does then, nobody can tell.
  std::string unreadable;

  const char* command_line() override { return command_line_.c_str(); }
  void startup_info(uint32_t* flags, uint16_t* show_window) override;
  void lead_byte_ranges(uint8_t ranges[platform::kLeadByteTableSize]) override;
  uint32_t own_path(char* buffer, uint32_t size) override;
  long open_user_key(const char* subkey, platform::RegKey* key) override;
  long query_value(platform::RegKey key, const char* subkey, char* data, long* size) override;
  void close_key(platform::RegKey) override {}
  uint16_t display_language() override { return user_.display_language; }
  uint16_t user_locale() override { return user_.user_locale; }
  int compare_no_case(const char* a, const char* b) override;
  void format_text(char* out, const char* format) override;
  uint32_t profile_string(const char* section, const char* key, const char* fallback, char* out,
                          uint32_t size, const char* file) override;
  bool is_file(const char* path) override;
  bool file_exists(const char* path, char found[platform::kFoundPathSize]) override;
  intptr_t start_program(const char* file, const char* parameters, const char* directory,
                         int show) override;
  void message_box(const char* text, uint32_t style) override;

 private:
  void needed_but_unreadable(const std::string& d_path);
  // The path on drive D: of a path inside the place; none outside it.
  std::optional<std::string> in_tree(const std::string& path);

  Tree& tree_;
  UserLanguage user_;
  const Release* release_;
  ProfileMarks marks_;
  std::string place_;
  std::string own_path_;
  std::string command_line_;
  // Each profile read once, by its full path (nullptr: missing).
  std::map<std::string, std::unique_ptr<Profile>> profiles_;
};

}  // namespace checker
