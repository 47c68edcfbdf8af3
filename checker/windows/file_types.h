// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The file types a release of Windows opens out of the box.
#pragma once

#include <string>

#include "checker/windows/predicted_start.h"
#include "checker/windows/release.h"

namespace checker {

// What the shell does, out of the box, with a file of a type that is not a
// program file.
PredictedStart associated_start(const std::string& extension, const Release& release);

}  // namespace checker
