#include "checker/findings.h"

#include <cstdlib>

namespace checker {

const std::vector<FindingKind> kFindingKinds = {
    {"setup-not-found", "error", "the setup program is not in the tree (exit -1)"},
    {"setup-path-too-long", "error", "its full path has more than 127 characters (exit -1)"},
    {"setup-not-a-program", "error", "an .exe or .com that is empty or no program at all (exit 11)"},
    {"setup-wrong-windows", "error",
     "the chosen Windows does not run the setup program: a 64-bit, DOS or NT-only program (exit 11)"},
    {"setup-needs-association", "error",
     "the chosen Windows has no program for the setup file's type (exit 31)"},
    {"profile-encoding-changes-launch", "error",
     "the chosen Windows reads client.ini's byte-order mark as text, and the launch changes"},
    {"file-unreadable", "error",
     "a file the launcher needs is listed but cannot be read: nobody can tell what it does"},
    {"disc-not-read", "error", "the chosen Windows reads no file system of the image"},
    {"setup-not-on-every-windows", "warning",
     "another family of Windows does not start the setup program (named in the message)"},
    {"setup-needs-feature", "warning",
     "the chosen Windows starts the setup program only once the user installs an optional feature"},
    {"setup-opens-document", "warning",
     "the setup file is a text file or shortcut: it opens in Notepad or starts something else"},
    {"profile-encoding", "warning", "UTF-8 or UTF-16 text that some Windows reads differently"},
    {"profile-missing", "warning", "no install\\quv\\win\\client.ini"},
    {"section-missing", "warning", "no [95] section"},
    {"unknown-key", "warning", "a key of [95] the launcher never reads, with the nearest known key"},
    {"setup-default-used", "warning",
     "the setup key is missing, empty or one character: the default setup program"},
    {"setup-no-drive-prefix", "warning",
     "the setup value does not begin with a drive: its first two characters are dropped"},
    {"setup-other-drive", "warning",
     "the setup value names a drive other than D:, and is moved onto the disc's drive"},
    {"group-cut", "warning", "the group the icon tool gets is not the group written (14 characters at most)"},
    {"group-default-used", "warning", "the group key is missing: the group STARTUP"},
    {"icon-tool-missing", "warning", "no install\\quv\\win\\addiconw.exe"},
    {"icon-tool-is-folder", "warning", "addiconw.exe is a folder: Explorer opens it, no icon is made"},
    {"icon-tool-does-not-start", "warning",
     "a family of Windows does not start addiconw.exe as a program (named, with why): no icon is made"},
    {"disc-name-lost", "warning",
     "an image lacks a name the launcher needs, with why: no Joliet, a cut Joliet name, a moved folder"},
    {"disc-two-trees", "warning",
     "another Windows reads another file system of the image, where the launch changes"},
    {"disc-not-read-elsewhere", "warning", "another Windows reads no file system of the image"},
    {"autorun-missing", "warning", "an image without autorun.inf: inserting it starts nothing"},
    {"autorun-open-missing", "warning", "autorun.inf's open= names no program on the disc"},
    {"autorun-not-launcher", "warning", "autorun.inf opens a program other than launcher.exe"},
    {"autorun-icon-missing", "warning", "autorun.inf's icon= names no file on the disc"},
    {"launcher-missing", "warning", "an image without the launcher at its root"},
};

Finding finding(const char* code, std::string message, std::optional<int> line) {
  for (const FindingKind& kind : kFindingKinds) {
    if (std::string(kind.code) == code) return {kind.severity, code, std::move(message), line};
  }
  std::abort();  // every code the checker reports is in the table
}

std::string findings_table() {
  std::string out;
  for (const FindingKind& kind : kFindingKinds) {
    std::string code = kind.code;
    out += std::string(kind.severity) + std::string(9 - std::string(kind.severity).size(), ' ') +
           code + std::string(code.size() < 33 ? 33 - code.size() : 1, ' ') + kind.summary + "\n";
  }
  return out;
}

}  // namespace checker
