// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// What the launcher does with a tree, predicted: one launch per language
// and release, and what each release of Windows reads on a disc. Facts
// only; the rules judge them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "checker/windows/tree_platform.h"
#include "checker/windows/releases.h"
#include "launcher/icon_registration.h"
#include "launcher/launch_sequence.h"
#include "launcher/launcher.h"

namespace checker {

// What a launch gives on one release: the exit status and what it started
// or showed.
struct ReleaseLaunch {
  int exit_status = 0;
  std::vector<ProgramStart> starts;
  std::vector<std::string> boxes;
  std::string setup_path;  // the path the file test was given
  std::string found_path;  // what it found ("" when nothing)
  // What the launch needed but could not read: its outcome is unknown.
  std::optional<std::string> cannot_tell;
  const Tree* tree = nullptr;  // the tree it was made on
};

// One launch, as the launcher would make it for one locale.
struct LanguageLaunch {
  std::string language;  // the setup key, e.g. "ENGLISH"; "" when no row matches
  // The user's language checked, as the launcher selects by it: the
  // resource-locale value, or the display language as one (e.g. "00000409").
  std::string locale;
  std::string setup_key;
  std::string group_key;
  std::optional<std::string> setup_value;  // as read from the profile; none when missing
  bool setup_default_used = false;         // too short or missing: the default program
  std::string setup_path;                  // the path the file test is given
  std::optional<std::string> found_path;   // what it finds, at any length, spelt from the place
  // The setup path that does not fit the launcher's 259 characters from
  // the place: the launcher looks for nothing and ends with -1. "": none.
  std::string unfit_path;
  std::optional<std::string> group_value;  // as read from the profile; none when missing
  std::string group;                       // the group the icon tool gets
  bool group_cut = false;                  // the icon tool gets other than group_value
  std::vector<ProgramStart> starts;        // icon tool first, then setup
  std::vector<std::string> boxes;
  int exit_status = 0;
  // The file the launch needed but could not read (the profile, the setup
  // program, or a folder on the way): then nobody can tell what it does,
  // and exit_status is only what the launcher would do if it were missing.
  std::optional<std::string> cannot_tell;
  // The launch on each release, in kReleases order, on the tree it reads.
  std::vector<ReleaseLaunch> by_release;
};

// What one release of Windows reads on a disc image.
struct DiscReading {
  std::string reader;       // "Windows 98/ME"
  std::string name;         // "98-me"
  std::string file_system;  // "iso9660", "joliet", "udf"; "" when it reads none
  std::string shown;        // "ISO 9660", "Joliet", "UDF 2.01"; "nothing"
};

// The longest place the launcher may be started from: below a longer one
// the icon tool's path no longer fits the launcher's 259 characters.
constexpr size_t kLongestPlace =
    launcher::kPathSize - 1 - (sizeof(launcher::kIconToolPath) - 1 - 2);

struct CheckOptions {
  // One value of the registry's ResourceLocale, there on every release;
  // else each language, where each release has it: in the registry on 9x,
  // as the display language on NT, which keeps no ResourceLocale, and as
  // the user's locale on NT 4.0.
  std::optional<std::string> locale;
  // The release predicted; a family stands for its representative release.
  const Release* release = &representative_release(Windows::kNt64);
  // The languages (setup keys) the tree provides; the others are expected
  // to fall back to the default setup program. None: all six.
  std::optional<std::vector<std::string>> languages;
  // Where the tree lies and the launcher is started from (--from): a drive's
  // root ("E:"), a folder ("C:\\Windows\\ccmcache\\1a") or a share
  // ("\\\\srv\\share\\product"), without a trailing backslash. None: the
  // root of drive D:, a disc's drive.
  std::optional<std::string> from;
  const std::string& place() const { return from ? *from : kDriveD; }
  static inline const std::string kDriveD = TreePlatform::kDriveD;
};

// The tree a release reads: on a disc, the file system it reads (or
// nothing); in a folder, the folder.
using TreeOf = std::function<Tree&(const Release&)>;

// A built-in path of the launcher as it sees it when started from the root
// of drive D: (the launcher's own constants, rebased).
inline std::string on_drive_d(const char* built_in) { return "D:" + std::string(built_in + 2); }
inline const std::string kProfileDPath = on_drive_d(launcher::kProfilePath);
inline const std::string kIconToolDPath = on_drive_d(launcher::kIconToolPath);

}  // namespace checker
