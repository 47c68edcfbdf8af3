// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// What a double-click does for one language on one release, in a word and
// in a sentence: the one reading the JSON and HTML reports share.
#pragma once

#include <string>

#include "checker/rules/tree_check.h"

namespace checker {

enum class Outcome {
  kStarts,      // the setup program starts
  kOpens,       // something else opens (a document, a folder, a feature's offer)
  kFails,       // the setup file is found but does not start
  kMessageBox,  // the launcher stops with its message box
  kNothing,     // nothing is started: no setup file found
  kCannotTell,  // a file the launch needs cannot be read: nobody can tell
};

Outcome outcome_of(const LanguageCheck& launch);
// "starts", "opens", "fails", "message-box", "nothing", "cannot-tell".
const char* outcome_name(Outcome outcome);
// The exit status as the reports show it: "?" where nobody can tell it.
std::string exit_text(const LanguageCheck& launch);
// The same for JSON: null where nobody can tell it.
std::string exit_json(const LanguageCheck& launch);
// "starts D:\p\setup.exe"; "D:\p\readme.txt: a text file: it opens in
// Notepad, ..."; "shows the message box "...""; "does nothing: ...". ANSI.
std::string outcome_text(const LanguageCheck& launch);

}  // namespace checker
