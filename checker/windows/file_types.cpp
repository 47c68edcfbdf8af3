// The file types each family of Windows opens out of the box, as the shell
// starts a file by its default verb. The 9x family is Windows 95, 98 and ME:
// where they differ, a row gives what fails on one of them and names the
// others, since the disc's user may have any of the three.
#include <algorithm>
#include <string_view>

#include "checker/windows/program_start.h"

namespace checker {

namespace {

struct Association {
  intptr_t result;
  StartKind kind;
  const char* note;
};

struct FileType {
  std::string_view extensions;  // blank-separated, lower case, with the dot
  Association on_9x;
  Association on_nt;  // Windows 10 and 11, either width
};

constexpr Association kNotepad = {kStarted, StartKind::kDocument,
                                  "a text file: it opens in Notepad, and nothing is installed"};
constexpr Association kShortcut = {kStarted, StartKind::kDocument,
                                   "a shortcut: Windows starts what it points to"};
constexpr Association kNoBrowser = {
    kNoAssociation, StartKind::kProgram,
    "the first Windows 95 has no web browser out of the box (98 and ME open it in Internet Explorer)"};

constexpr FileType kFileTypes[] = {
    {".bat", {kStarted, StartKind::kProgram, "a batch file"}, {kStarted, StartKind::kProgram, "a batch file"}},
    // cmd.exe is Windows NT's alone.
    {".cmd", {kNoAssociation, StartKind::kProgram, ".cmd batch files run only on Windows NT"},
     {kStarted, StartKind::kProgram, "a batch file"}},
    {".lnk .pif", kShortcut, kShortcut},
    {".ini .txt .inf .log", kNotepad, kNotepad},
    // Windows Installer 1.2 ships with Windows ME; 95 and 98 need its
    // redistributable (Windows Installer: "Released Versions of Windows
    // Installer").
    {".msi",
     {kNoAssociation, StartKind::kProgram,
      "Windows 95 and 98 have no Windows Installer out of the box (Windows ME has it)"},
     {kStarted, StartKind::kProgram, "a Windows Installer package"}},
    // Internet Explorer ships with Windows 98 (4.0) and ME (5.5), and with
    // Windows 95 only from OSR2 on.
    {".htm .html", kNoBrowser,
     {kStarted, StartKind::kDocument, "a web page: it opens in the web browser, and nothing is installed"}},
    {".url", kNoBrowser,
     {kStarted, StartKind::kDocument, "an Internet shortcut: it opens in the web browser"}},
    // HTML Applications need Internet Explorer 5 ("Introduction to HTML
    // Applications"): Windows 98 Second Edition and ME have it.
    {".hta",
     {kNoAssociation, StartKind::kProgram,
      "HTML applications need Internet Explorer 5, which Windows 95 and the first Windows 98 lack"},
     {kStarted, StartKind::kProgram, "an HTML application, run by mshta"}},
    // Windows Script Host 1.0 ships with Windows 98, 2.0 with ME and 2000;
    // Windows 95 needs a download (Windows Script Host version information).
    {".vbs .js",
     {kNoAssociation, StartKind::kProgram,
      "Windows 95 has no Windows Script Host out of the box (98 and ME run it)"},
     {kStarted, StartKind::kProgram, "a script, run by Windows Script Host"}},
    // Registry Editor merges .reg files on every Windows, after asking.
    {".reg",
     {kStarted, StartKind::kDocument, "a registration file: Registry Editor asks to merge it, and nothing is installed"},
     {kStarted, StartKind::kDocument, "a registration file: Registry Editor asks to merge it, and nothing is installed"}},
    // WordPad is part of every Windows from 95 on.
    {".rtf .wri",
     {kStarted, StartKind::kDocument, "a document: it opens in WordPad, and nothing is installed"},
     {kStarted, StartKind::kDocument, "a document: it opens in WordPad, and nothing is installed"}},
    // HTML Help ships with Windows 98 and later (HTML Help Workshop).
    {".chm",
     {kNoAssociation, StartKind::kProgram, "Windows 95 has no HTML Help out of the box (98 and ME have it)"},
     {kStarted, StartKind::kDocument, "a compiled help file: it opens in HTML Help, and nothing is installed"}},
    // Windows Help (WinHlp32) is not included with Windows Vista and later:
    // its stub only says so (KB917607).
    {".hlp", {kStarted, StartKind::kDocument, "a help file: it opens in Windows Help, and nothing is installed"},
     {kStarted, StartKind::kDocument,
      "a help file: Windows 10 and 11 no longer include Windows Help, and a message says so"}},
};

bool lists(std::string_view extensions, const std::string& extension) {
  for (size_t at = 0; at < extensions.size();) {
    const size_t blank = std::min(extensions.find(' ', at), extensions.size());
    if (extensions.substr(at, blank - at) == extension) return true;
    at = blank + 1;
  }
  return false;
}

}  // namespace

PredictedStart associated_start(const std::string& extension, Windows windows) {
  for (const FileType& type : kFileTypes) {
    if (!lists(type.extensions, extension)) continue;
    const Association& a = windows == Windows::k9x ? type.on_9x : type.on_nt;
    return {a.result, a.note, a.kind};
  }
  return {kNoAssociation, extension.empty() ? "a file without an extension: no program opens it"
                                            : "no program opens " + extension + " files out of the box"};
}

}  // namespace checker
