// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// What starting a file gives, as the checker predicts it: the launch
// result the shell returns, what the file is, and why.
#pragma once

#include <stdint.h>

#include <string>

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

}  // namespace checker
