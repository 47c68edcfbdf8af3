// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The rules about what each language's launch starts: its setup key and
// group key as written, the setup program the file test looks for and how
// each release of Windows starts it.
#pragma once

#include "checker/rules/check.h"

namespace checker {

// Adds the findings about the language's setup program and group to `check`.
void check_language(const TreeFacts& facts, LanguageCheck& check);

}  // namespace checker
