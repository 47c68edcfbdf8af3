// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Every finding the tree checker can report: its code, its severity and a
// one-line summary, in one table the compiler checks (`launcher-check
// --list-findings` prints it, and the README's table is the same).
#pragma once

#include <stddef.h>

#include <optional>
#include <string>

namespace checker {

enum class Severity { kError, kWarning };  // an error: a language fails on the Windows predicted

enum class Code {
  kSetupNotFound,
  kSetupPathTooLong,
  kSetupNotAProgram,
  kSetupWrongWindows,
  kSetupNeedsAssociation,
  kProfileEncodingChangesLaunch,
  kFileUnreadable,
  kDiscNotRead,
  kDiscImageShort,
  kSetupNotOnEveryWindows,
  kSetupNeedsFeature,
  kSetupOpensDocument,
  kSetupUsesVbscript,
  kProfileEncoding,
  kProfileMissing,
  kSectionMissing,
  kUnknownKey,
  kSetupDefaultUsed,
  kSetupNoDrivePrefix,
  kSetupOtherDrive,
  kGroupCut,
  kGroupDefaultUsed,
  kIconToolMissing,
  kIconToolIsFolder,
  kIconToolDoesNotStart,
  kDiscNameLost,
  kDiscTwoTrees,
  kDiscNotReadElsewhere,
  kAutorunMissing,
  kAutorunOpenMissing,
  kAutorunNotLauncher,
  kAutorunIconMissing,
  kLauncherMissing,
};

struct FindingKind {
  Code code;
  const char* name;  // stable, e.g. "setup-not-found"
  Severity severity;
  const char* summary;
};

inline constexpr FindingKind kFindingKinds[] = {
    {Code::kSetupNotFound, "setup-not-found", Severity::kError,
     "the setup program is not in the tree (exit -1)"},
    {Code::kSetupPathTooLong, "setup-path-too-long", Severity::kError,
     "its full path has more than 127 characters (exit -1)"},
    {Code::kSetupNotAProgram, "setup-not-a-program", Severity::kError,
     "an .exe or .com that is empty or no program at all (exit 11)"},
    {Code::kSetupWrongWindows, "setup-wrong-windows", Severity::kError,
     "the chosen Windows does not run the setup program: a 64-bit, DOS or NT-only program (exit "
     "11)"},
    {Code::kSetupNeedsAssociation, "setup-needs-association", Severity::kError,
     "the chosen Windows has no program for the setup file's type (exit 31)"},
    {Code::kProfileEncodingChangesLaunch, "profile-encoding-changes-launch", Severity::kError,
     "the chosen Windows reads client.ini's byte-order mark as text, and the launch changes"},
    {Code::kFileUnreadable, "file-unreadable", Severity::kError,
     "a file the launcher needs is listed but cannot be read: nobody can tell what it does"},
    {Code::kDiscNotRead, "disc-not-read", Severity::kError,
     "the chosen Windows reads no file system of the image"},
    {Code::kDiscImageShort, "disc-image-short", Severity::kError,
     "the image is shorter than its volume: a burn or a download stopped, and what lies past its "
     "end is lost"},
    {Code::kSetupNotOnEveryWindows, "setup-not-on-every-windows", Severity::kWarning,
     "another release of Windows does not start the setup program (named in the message)"},
    {Code::kSetupNeedsFeature, "setup-needs-feature", Severity::kWarning,
     "the chosen Windows starts the setup program only once the user installs an optional feature"},
    {Code::kSetupOpensDocument, "setup-opens-document", Severity::kWarning,
     "the setup file is a text file or shortcut: it opens in Notepad or starts something else"},
    {Code::kSetupUsesVbscript, "setup-uses-vbscript", Severity::kWarning,
     "a .vbs setup, or an .hta that holds VBScript: VBScript is leaving Windows"},
    {Code::kProfileEncoding, "profile-encoding", Severity::kWarning,
     "UTF-8 or UTF-16 text that some Windows reads differently"},
    {Code::kProfileMissing, "profile-missing", Severity::kWarning,
     "no install\\quv\\win\\client.ini"},
    {Code::kSectionMissing, "section-missing", Severity::kWarning, "no [95] section"},
    {Code::kUnknownKey, "unknown-key", Severity::kWarning,
     "a key of [95] the launcher never reads, with the nearest known key"},
    {Code::kSetupDefaultUsed, "setup-default-used", Severity::kWarning,
     "the setup key is missing, empty or one character: the default setup program"},
    {Code::kSetupNoDrivePrefix, "setup-no-drive-prefix", Severity::kWarning,
     "the setup value does not begin with a drive: its first two characters are dropped"},
    {Code::kSetupOtherDrive, "setup-other-drive", Severity::kWarning,
     "the setup value names a drive other than D:, and is moved onto the disc's drive"},
    {Code::kGroupCut, "group-cut", Severity::kWarning,
     "the group the icon tool gets is not the group written (14 characters at most)"},
    {Code::kGroupDefaultUsed, "group-default-used", Severity::kWarning,
     "the group key is missing: the group STARTUP"},
    {Code::kIconToolMissing, "icon-tool-missing", Severity::kWarning,
     "no install\\quv\\win\\addiconw.exe"},
    {Code::kIconToolIsFolder, "icon-tool-is-folder", Severity::kWarning,
     "addiconw.exe is a folder: Explorer opens it, no icon is made"},
    {Code::kIconToolDoesNotStart, "icon-tool-does-not-start", Severity::kWarning,
     "a release of Windows does not start addiconw.exe as a program (named, with why): no icon is "
     "made"},
    {Code::kDiscNameLost, "disc-name-lost", Severity::kWarning,
     "an image lacks a name the launcher needs, with why: no Joliet, a cut Joliet name, a moved "
     "folder"},
    {Code::kDiscTwoTrees, "disc-two-trees", Severity::kWarning,
     "another Windows reads another file system of the image, where the launch changes"},
    {Code::kDiscNotReadElsewhere, "disc-not-read-elsewhere", Severity::kWarning,
     "another Windows reads no file system of the image"},
    {Code::kAutorunMissing, "autorun-missing", Severity::kWarning,
     "an image without autorun.inf: inserting it starts nothing"},
    {Code::kAutorunOpenMissing, "autorun-open-missing", Severity::kWarning,
     "autorun.inf's open= names no program on the disc"},
    {Code::kAutorunNotLauncher, "autorun-not-launcher", Severity::kWarning,
     "autorun.inf opens a program other than launcher.exe"},
    {Code::kAutorunIconMissing, "autorun-icon-missing", Severity::kWarning,
     "autorun.inf's icon= names no file on the disc"},
    {Code::kLauncherMissing, "launcher-missing", Severity::kWarning,
     "an image without the launcher at its root"},
};

// The table holds every code once, in the order of the enum.
constexpr bool table_in_code_order() {
  for (size_t i = 0; i < sizeof(kFindingKinds) / sizeof(kFindingKinds[0]); ++i) {
    if (static_cast<size_t>(kFindingKinds[i].code) != i) return false;
  }
  return static_cast<size_t>(Code::kLauncherMissing) + 1 ==
         sizeof(kFindingKinds) / sizeof(kFindingKinds[0]);
}
static_assert(table_in_code_order());

constexpr const FindingKind& kind_of(Code code) { return kFindingKinds[static_cast<size_t>(code)]; }
// "error", "warning".
const char* severity_name(Severity severity);

struct Finding {
  Code code;
  std::string message;      // what is wrong and what to change
  std::optional<int> line;  // the line it is about, in `file`; none: the whole file
  std::string file;         // the D: path of the file it is about; "": the tree as a whole

  const char* name() const { return kind_of(code).name; }
  Severity severity() const { return kind_of(code).severity; }
};

// A finding about the tree as a whole, or about a line of client.ini.
Finding finding(Code code, std::string message, std::optional<int> line = std::nullopt);
// A finding about a line of another file of the tree.
inline Finding finding_at(Code code, std::string message, std::string file, int line) {
  return {code, std::move(message), line, std::move(file)};
}
// A finding about a file of the tree as a whole (D: path).
inline Finding finding_about(Code code, std::string message, std::string file) {
  return {code, std::move(message), std::nullopt, std::move(file)};
}

// The table as text: one line per kind, "severity  code  summary".
std::string findings_table();

}  // namespace checker
