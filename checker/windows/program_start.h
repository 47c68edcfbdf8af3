// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// What a release of Windows does when the shell is asked to start a file
// with its default verb (ShellExecute), judged from the tree: what the
// program's own header asks of Windows, else the file type (file_types.h).
#pragma once

#include <stdint.h>

#include <string>

#include "checker/source/tree.h"
#include "checker/windows/predicted_start.h"
#include "checker/windows/releases.h"

namespace checker {

PredictedStart predicted_start(Tree& tree, const std::string& d_path, const Release& release);
// The same file started as a process (CreateProcess, as autorun.inf's open=
// is): only a program file (.exe, .com) whose header Windows runs starts.
PredictedStart predicted_process(Tree& tree, const std::string& d_path, const Release& release);

// The extension of a path's last name in lower case (".exe"), "" for none:
// the file type Windows goes by.
std::string lower_extension(const std::string& path);

}  // namespace checker
