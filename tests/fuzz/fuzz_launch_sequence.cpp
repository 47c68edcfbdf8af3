// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The whole launch, from the entry's first call to the exit status, against a
// platform whose every answer comes from the fuzzer.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "launcher/launcher.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_platform.h"

namespace {

const std::string kIconPrefix = "exe=c:\\brumix\\kez.exe desc=KEZ group=";

bool has_drive(const std::string& own_path) {
  if (own_path.size() < 2) return false;
  const char c = own_path[0];
  return ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) && own_path[1] == ':';
}

int status_for(intptr_t result) {
  if (result > 32) return 0;
  if (result == 0) return 8;
  return static_cast<int>(result);
}

// The operations, as a string of names, must follow the one road of a launch.
std::string joined(const std::vector<std::string>& ops, size_t from) {
  std::string s;
  for (size_t i = from; i < ops.size(); ++i) s += ops[i] + " ";
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FuzzPlatform os(data, size);
  const int status = launcher::launcher_main(os);
  const std::vector<std::string>& ops = os.ops;

  FUZZ_CHECK(ops.size() >= 4);
  FUZZ_CHECK(joined(ops, 0).rfind("lead_byte_ranges command_line startup_info own_path ", 0) == 0);
  const std::string rest = joined(ops, 4);

  if (!os.own_path_read || !has_drive(os.own_path_text)) {
    FUZZ_CHECK(rest.empty() && status == -1);
    return 0;
  }
  // The registry's locale, else the display language, else the user's
  // locale; none of them ends silently.
  const bool from_registry = os.open_ok && os.query_ok;
  const bool from_user_locale = !from_registry && os.ui_language == 0;
  std::string locale_ops = os.open_ok ? "open_user_key query_value " : "open_user_key ";
  if (!from_registry) locale_ops += "display_language ";
  if (from_user_locale) locale_ops += "user_locale ";
  FUZZ_CHECK(rest.rfind(locale_ops, 0) == 0);
  const uint16_t language = from_user_locale ? os.user_lang_id : os.ui_language;
  if (!from_registry && language == 0) {
    FUZZ_CHECK(rest == locale_ops && status == -1);
    return 0;
  }
  // Up to six comparisons, then either the box or the launch proper.
  size_t i = 4 + (os.open_ok ? 2 : 1) + (from_registry ? 0 : 1) + (from_user_locale ? 1 : 0);
  size_t compares = 0;
  while (i < ops.size() && ops[i] == "compare_no_case") ++i, ++compares;
  FUZZ_CHECK(compares <= 6);
  if (!from_registry) {
    // Eight digits, whose last two are the language's primary id.
    const int primary = language & 0xFF;
    const bool known = primary == 0x16 || primary == 0x09 || primary == 0x0C ||
                       primary == 0x10 || primary == 0x07 || primary == 0x0A;
    FUZZ_CHECK(compares >= 1 && os.last_compare_equal == known);
  }
  const std::string after = joined(ops, i);
  if (!os.last_compare_equal) {
    FUZZ_CHECK(after == "format_text message_box " && status == -1);
    FUZZ_CHECK(os.start_files.empty());
    return 0;
  }
  const std::string close = os.open_ok ? "close_key " : "";
  const std::string launch = "profile_setup profile_group start_program " + close + "file_exists ";
  FUZZ_CHECK(after.rfind(launch, 0) == 0);

  // The icon tool: on the install drive, minimised, prefix plus at most 14 bytes.
  const std::string drive = os.own_path_text.substr(0, 2);
  FUZZ_CHECK(os.start_files[0] == drive + "\\install\\quv\\win\\addiconw.exe");
  FUZZ_CHECK(os.start_shows[0] == platform::kShowMinimized);
  FUZZ_CHECK(os.start_directories[0].empty());
  const std::string& parameters = os.start_parameters[0];
  FUZZ_CHECK(parameters.rfind(kIconPrefix, 0) == 0);
  FUZZ_CHECK(parameters.size() <= kIconPrefix.size() + 14);
  FUZZ_CHECK(parameters.substr(kIconPrefix.size()) == os.group_value);
  FUZZ_CHECK(os.tested_path.rfind(drive, 0) == 0);

  if (!os.exists_result) {
    FUZZ_CHECK(after == launch);
    FUZZ_CHECK(status == -1 && os.start_files.size() == 1);
    return 0;
  }
  // Setup: started only now, by the found path, with the tail and show state.
  FUZZ_CHECK(after == launch + "start_program ");
  FUZZ_CHECK(os.start_files.size() == 2);
  FUZZ_CHECK(os.start_files[1] == os.found_path);
  FUZZ_CHECK(os.start_directories[1].empty());
  const std::string line = os.command_line_text.c_str();  // as the launcher sees it
  const std::string& tail = os.start_parameters[1];
  FUZZ_CHECK(line.size() >= tail.size());
  FUZZ_CHECK(line.compare(line.size() - tail.size(), std::string::npos, tail) == 0);
  FUZZ_CHECK(status == status_for(os.start_results[1]));
  return 0;
}
