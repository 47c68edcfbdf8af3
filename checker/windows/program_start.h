// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// What a release of Windows does when the shell is asked to start a file
// with its default verb (ShellExecute), judged from the tree: the file type
// each release associates out of the box, and what the program's own header
// asks of Windows.
#pragma once

#include <stdint.h>

#include <string>

#include "checker/source/tree.h"
#include "checker/windows/releases.h"

namespace checker {

constexpr intptr_t kStarted = 42;        // any launch result above 32
constexpr intptr_t kFileNotFound = 2;    // ERROR_FILE_NOT_FOUND
constexpr intptr_t kBadFormat = 11;      // ERROR_BAD_FORMAT: not a program it runs
constexpr intptr_t kNoAssociation = 31;  // SE_ERR_NOASSOC: no program opens it

// What the file is, as far as the findings care.
enum class StartKind {
  kProgram,       // a program, batch file or package: it starts, or its header is refused
  kFolder,        // a folder: the shell opens it in Explorer
  kNoProgram,     // an .exe or .com that is no program at all (empty, damaged, no header)
  kDocument,      // a text file or a shortcut: something else starts
  kNeedsFeature,  // a program Windows runs only once the user installs a feature
  kUnreadable,    // listed, but cannot be read: nobody can tell
};

struct PredictedStart {
  intptr_t result = kFileNotFound;  // the launch result the shell gives
  // What happens, for a start that is not simply a program: "opens the
  // folder in Explorer", "opens in Notepad", ...; why, for one that fails.
  std::string note;
  StartKind kind = StartKind::kProgram;
};

PredictedStart predicted_start(Tree& tree, const std::string& d_path, const Release& release);
// The same file started as a process (CreateProcess, as autorun.inf's open=
// is): only a program file (.exe, .com) whose header Windows runs starts.
PredictedStart predicted_process(Tree& tree, const std::string& d_path, const Release& release);

// What the shell does, out of the box, with a file of a type that is not a
// program file (file_types.cpp).
PredictedStart associated_start(const std::string& extension, const Release& release);

// The extension of a path's last name in lower case (".exe"), "" for none:
// the file type Windows goes by.
std::string lower_extension(const std::string& path);

}  // namespace checker
