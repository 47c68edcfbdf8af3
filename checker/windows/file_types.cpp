// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The file types a release of Windows opens out of the box, as the shell
// starts a file by its default verb: each type with the fact of the release
// table it rests on (none: every release opens it alike), and what happens
// where the release has it and where it has not.
#include "checker/windows/file_types.h"

#include <algorithm>
#include <string_view>

namespace checker {

namespace {

struct Association {
  intptr_t result;
  StartKind kind;
  const char* note;
};

// cmd.exe is Windows NT's alone.
bool has_cmd(const Release& r) { return r.family != Windows::k9x; }
bool has_browser(const Release& r) { return r.web_browser; }
bool has_mshta(const Release& r) { return r.mshta; }
bool has_script_host(const Release& r) { return r.script_host; }
bool has_html_help(const Release& r) { return r.html_help; }
bool has_winhelp(const Release& r) { return r.winhelp; }
bool has_installer(const Release& r) { return r.installer; }
bool has_wordpad(const Release& r) { return r.wordpad; }

struct FileType {
  std::string_view extensions;  // blank-separated, lower case, with the dot
  bool (*has)(const Release&);  // nullptr: every release
  Association with;             // where the release has it
  Association without;          // where it has not
};

constexpr Association kNotepad = {kStarted, StartKind::kDocument,
                                  "a text file: it opens in Notepad, and nothing is installed"};
constexpr Association kShortcut = {kStarted, StartKind::kDocument,
                                   "a shortcut: Windows starts what it points to"};
constexpr Association kNoBrowser = {kNoAssociation, StartKind::kProgram,
                                    "this Windows has no web browser out of the box"};
constexpr Association kEvery = {};  // never asked for: `has` is nullptr

constexpr FileType kFileTypes[] = {
    {".bat", nullptr, {kStarted, StartKind::kProgram, "a batch file"}, kEvery},
    {".cmd",
     has_cmd,
     {kStarted, StartKind::kProgram, "a batch file"},
     {kNoAssociation, StartKind::kProgram, ".cmd batch files run only on Windows NT"}},
    {".lnk .pif", nullptr, kShortcut, kEvery},
    {".ini .txt .inf .log", nullptr, kNotepad, kEvery},
    {".msi",
     has_installer,
     {kStarted, StartKind::kProgram, "a Windows Installer package"},
     {kNoAssociation, StartKind::kProgram, "this Windows has no Windows Installer out of the box"}},
    {".htm .html",
     has_browser,
     {kStarted, StartKind::kDocument,
      "a web page: it opens in the web browser, and nothing is installed"},
     kNoBrowser},
    {".url",
     has_browser,
     {kStarted, StartKind::kDocument, "an Internet shortcut: it opens in the web browser"},
     kNoBrowser},
    {".hta",
     has_mshta,
     {kStarted, StartKind::kProgram, "an HTML application, run by mshta"},
     {kNoAssociation, StartKind::kProgram,
      "HTML applications need Internet Explorer 5, which this Windows lacks out of the box"}},
    {".vbs .js",
     has_script_host,
     {kStarted, StartKind::kProgram, "a script, run by Windows Script Host"},
     {kNoAssociation, StartKind::kProgram,
      "this Windows has no Windows Script Host out of the box"}},
    // Registry Editor merges .reg files on every Windows, after asking.
    {".reg",
     nullptr,
     {kStarted, StartKind::kDocument,
      "a registration file: Registry Editor asks to merge it, and nothing is installed"},
     kEvery},
    {".rtf .wri",
     has_wordpad,
     {kStarted, StartKind::kDocument, "a document: it opens in WordPad, and nothing is installed"},
     {kNoAssociation, StartKind::kProgram, "this Windows has no WordPad"}},
    {".chm",
     has_html_help,
     {kStarted, StartKind::kDocument,
      "a compiled help file: it opens in HTML Help, and nothing is installed"},
     {kNoAssociation, StartKind::kProgram, "this Windows has no HTML Help out of the box"}},
    // Without Windows Help, its stub still opens the file to say so.
    {".hlp",
     has_winhelp,
     {kStarted, StartKind::kDocument,
      "a help file: it opens in Windows Help, and nothing is installed"},
     {kStarted, StartKind::kDocument,
      "a help file: this Windows no longer includes Windows Help, and a message says so"}},
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

PredictedStart associated_start(const std::string& extension, const Release& release) {
  for (const FileType& type : kFileTypes) {
    if (!lists(type.extensions, extension)) continue;
    const Association& a = type.has == nullptr || type.has(release) ? type.with : type.without;
    return {a.result, a.note, a.kind};
  }
  return {kNoAssociation, extension.empty()
                              ? "a file without an extension: no program opens it"
                              : "no program opens " + extension + " files out of the box"};
}

}  // namespace checker
