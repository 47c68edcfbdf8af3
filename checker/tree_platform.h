// The launcher's platform, answered from an installation tree for one
// family of Windows: the launcher lies at the root of drive D: and is
// double-clicked, the registry holds the locale being checked, the profile
// and file calls go to the tree, and program starts and message boxes are
// recorded instead of made.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "checker/profile_reader.h"
#include "checker/program_start.h"
#include "checker/tree.h"
#include "checker/windows_family.h"
#include "platform/platform.h"

namespace checker {

struct ProgramStart {
  std::string file;
  std::string parameters;
  std::string directory;
  int show;
  intptr_t result;   // the launch result the platform would give
  std::string note;  // what the start does, or why it fails (see PredictedStart)
  StartKind kind;
};

// The profile marks a family of Windows decodes.
ProfileMarks marks_of(Windows windows);

class TreePlatform final : public platform::Platform {
 public:
  static constexpr char kOwnPath[] = "D:\\launcher.exe";
  // Double-clicked: the command line is the quoted path, shown normally.
  static constexpr char kCommandLine[] = "\"D:\\launcher.exe\"";

  TreePlatform(Tree& tree, std::string locale, Windows windows)
      : TreePlatform(tree, std::move(locale), windows, marks_of(windows)) {}
  // With the profile read as a reader that decodes `marks` reads it.
  TreePlatform(Tree& tree, std::string locale, Windows windows, ProfileMarks marks)
      : tree_(tree), locale_(std::move(locale)), windows_(windows), marks_(marks) {}

  std::vector<ProgramStart> starts;
  std::vector<std::string> boxes;
  std::string tested_path;  // the setup path the file test was given
  std::string found_path;   // what it found, at any length ("" when nothing)

  const char* command_line() override { return kCommandLine; }
  void startup_info(uint32_t* flags, uint16_t* show_window) override;
  void lead_byte_ranges(uint8_t ranges[platform::kLeadByteTableSize]) override;
  uint32_t own_path(char* buffer, uint32_t size) override;
  long open_user_key(const char* subkey, platform::RegKey* key) override;
  long query_value(platform::RegKey key, const char* subkey, char* data, long* size) override;
  void close_key(platform::RegKey) override {}
  int compare_no_case(const char* a, const char* b) override;
  void format_text(char* out, const char* format) override;
  uint32_t profile_string(const char* section, const char* key, const char* fallback, char* out,
                          uint32_t size, const char* file) override;
  bool file_exists(const char* path, char found[platform::kFoundPathSize]) override;
  intptr_t start_program(const char* file, const char* parameters, const char* directory,
                         int show) override;
  void message_box(const char* text, uint32_t style) override;

 private:
  Tree& tree_;
  std::string locale_;
  Windows windows_;
  ProfileMarks marks_;
  // Each profile read once, by its full path (nullptr: missing).
  std::map<std::string, std::unique_ptr<Profile>> profiles_;
};

}  // namespace checker
