// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The whole launch, from the entry's first call to the exit status, against a
// platform whose every answer comes from the fuzzer.
#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "launcher/launcher.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_platform.h"

namespace {

const std::string kIconPrefix = "exe=c:\\brumix\\kez.exe desc=KEZ group=";

constexpr size_t kPathSize = 260;
const std::string kProfileTail = "\\install\\quv\\win\\client.ini";
const std::string kIconToolTail = "\\install\\quv\\win\\addiconw.exe";
const std::string kDefaultTail = "\\products\\win95\\quv_enu\\setup.exe";

// The drive ("E:") or share ("\\srv\share") the own path begins with, as its
// length; 0 for none, the "\\?\" and "\\.\" forms among them.
size_t drive_or_share(const std::string& own) {
  if (own.size() >= 2 && std::isalpha(static_cast<unsigned char>(own[0])) && own[1] == ':' &&
      static_cast<unsigned char>(own[0]) < 0x80) {
    return 2;
  }
  if (own.rfind("\\\\", 0) != 0) return 0;
  const size_t server_end = own.find('\\', 2);
  if (server_end == std::string::npos || server_end == 2) return 0;
  const std::string server = own.substr(2, server_end - 2);
  if (server == "?" || server == ".") return 0;
  const size_t share_end = std::min(own.find('\\', server_end + 1), own.size());
  return share_end == server_end + 1 ? 0 : share_end;
}

// A path as a call receives it: up to its first NUL (Windows never gives an
// own path with one inside, the fuzzer may).
std::string as_passed(const std::string& path) { return path.c_str(); }

// The root the launcher must take, and whether it asks about the own folder.
struct Root {
  size_t length = 0;  // 0: none, the run ends at once
  bool probes = false;
  std::string probed;
};

Root expected_root(const fuzz::FuzzPlatform& os) {
  Root root;
  if (!os.own_path_read) return root;
  const std::string& own = os.own_path_text;
  const size_t drive = drive_or_share(own);
  if (drive == 0) return root;
  // A path that filled the whole buffer was cut: its folder is unknown.
  const size_t folder = own.size() < kPathSize ? own.rfind('\\') : std::string::npos;
  root.probes =
      folder != std::string::npos && folder > drive && folder + kProfileTail.size() < kPathSize;
  if (root.probes) root.probed = own.substr(0, folder) + kProfileTail;
  root.length = root.probes && os.probe_result ? folder : drive;
  if (root.length + kProfileTail.size() >= kPathSize) root.length = 0;
  return root;
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
  const Root root = expected_root(os);
  FUZZ_CHECK(os.probed == (root.probes ? std::vector<std::string>{as_passed(root.probed)}
                                       : std::vector<std::string>{}));
  const size_t first = 4 + (root.probes ? 1 : 0);
  const std::string rest = joined(ops, first);

  if (root.length == 0) {
    FUZZ_CHECK(rest.empty() && status == -1);
    return 0;
  }
  const std::string root_text = os.own_path_text.substr(0, root.length);
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
  size_t i = first + (os.open_ok ? 2 : 1) + (from_registry ? 0 : 1) + (from_user_locale ? 1 : 0);
  size_t compares = 0;
  while (i < ops.size() && ops[i] == "compare_no_case") ++i, ++compares;
  FUZZ_CHECK(compares <= 6);
  if (!from_registry) {
    // Eight digits, whose last two are the language's primary id.
    const int primary = language & 0xFF;
    const bool known = primary == 0x16 || primary == 0x09 || primary == 0x0C || primary == 0x10 ||
                       primary == 0x07 || primary == 0x0A;
    FUZZ_CHECK(compares >= 1 && os.last_compare_equal == known);
  }
  const std::string after = joined(ops, i);
  if (!os.last_compare_equal) {
    FUZZ_CHECK(after == "format_text message_box " && status == -1);
    FUZZ_CHECK(os.start_files.empty());
    return 0;
  }
  // The setup path: the value read, or (for fewer than two characters) the
  // default's remainder, moved onto the root; not tested when it cannot fit.
  const std::string setup_tail =
      os.setup_value.size() >= 2 ? os.setup_value.substr(2) : kDefaultTail;
  const bool setup_fits = root.length + setup_tail.size() < kPathSize;
  const bool icon_fits = root.length + kIconToolTail.size() < kPathSize;
  const std::string close = os.open_ok ? "close_key " : "";
  const std::string launch = std::string("profile_setup profile_group ") +
                             (icon_fits ? "start_program " : "") + close +
                             (setup_fits ? "file_exists " : "");
  FUZZ_CHECK(after.rfind(launch, 0) == 0);
  FUZZ_CHECK(os.profile_file == as_passed(root_text + kProfileTail));

  // The icon tool: at the root, minimised, prefix plus at most 14 bytes.
  const size_t setup_start = icon_fits ? 1 : 0;
  if (icon_fits) {
    FUZZ_CHECK(os.start_files[0] == as_passed(root_text + kIconToolTail));
    FUZZ_CHECK(os.start_shows[0] == platform::kShowMinimized);
    FUZZ_CHECK(os.start_directories[0].empty());
    const std::string& parameters = os.start_parameters[0];
    FUZZ_CHECK(parameters.rfind(kIconPrefix, 0) == 0);
    FUZZ_CHECK(parameters.size() <= kIconPrefix.size() + 14);
    FUZZ_CHECK(parameters.substr(kIconPrefix.size()) == os.group_value);
  }
  if (!setup_fits) {
    FUZZ_CHECK(after == launch && status == -1 && os.start_files.size() == setup_start);
    return 0;
  }
  FUZZ_CHECK(os.tested_path == as_passed(root_text + setup_tail));

  if (!os.exists_result) {
    FUZZ_CHECK(after == launch);
    FUZZ_CHECK(status == -1 && os.start_files.size() == setup_start);
    return 0;
  }
  // Setup: started only now, by the found path, with the tail and show state.
  FUZZ_CHECK(after == launch + "start_program ");
  FUZZ_CHECK(os.start_files.size() == setup_start + 1);
  FUZZ_CHECK(os.start_files[setup_start] == os.found_path);
  FUZZ_CHECK(os.start_directories[setup_start].empty());
  const std::string line = os.command_line_text.c_str();  // as the launcher sees it
  const std::string& tail = os.start_parameters[setup_start];
  FUZZ_CHECK(line.size() >= tail.size());
  FUZZ_CHECK(line.compare(line.size() - tail.size(), std::string::npos, tail) == 0);
  FUZZ_CHECK(status == status_for(os.start_results[setup_start]));
  return 0;
}
