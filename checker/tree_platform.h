// The launcher's platform, answered from an installation tree: the launcher
// lies at the root of drive D:, the registry holds the locale being checked,
// the profile and file calls go to the tree, and program starts and message
// boxes are recorded instead of made.
#pragma once

#include <string>
#include <vector>

#include "checker/tree.h"
#include "platform/platform.h"

namespace checker {

struct ProgramStart {
  std::string file;
  std::string parameters;
  std::string directory;
  int show;
  intptr_t result;  // the launch result the platform would give
};

constexpr intptr_t kBadFormat = 11;      // ERROR_BAD_FORMAT: not a program
constexpr intptr_t kNoAssociation = 31;  // SE_ERR_NOASSOC: no program opens it

// True when the file is a Windows program (MZ header pointing at a PE one).
bool is_windows_program(Tree& tree, const std::string& d_path);

// What the shell would answer to a start of the file at `d_path`: 42 (any
// value above 32) when it would start, else its error code: 2 for a missing
// file; 11 for an .exe or .com that is not a Windows program (an empty one
// included); 31 for a file that is neither a program nor a .bat or .cmd,
// since it needs a file association, which a fresh system lacks.
intptr_t predicted_launch_result(Tree& tree, const std::string& d_path);

class TreePlatform final : public platform::Platform {
 public:
  static constexpr char kOwnPath[] = "D:\\launcher.exe";

  TreePlatform(Tree& tree, std::string locale) : tree_(tree), locale_(std::move(locale)) {}

  std::vector<ProgramStart> starts;
  std::vector<std::string> boxes;
  std::string tested_path;  // the setup path the file test was given
  std::string found_path;   // what it found, at any length ("" when nothing)

  const char* command_line() override { return "\"D:\\launcher.exe\""; }
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
};

}  // namespace checker
