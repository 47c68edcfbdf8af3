// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Where the launcher finds the user's language on a release of Windows.
#pragma once

namespace checker {

// The registry's ResourceLocale, which only Windows 95/98/ME keep in a
// user's profile, or, where the registry holds none, the user's display
// language (Windows 2000 and later), or where Windows has neither, the
// user's locale (NT 4.0).
enum class LanguageSource { kRegistry, kDisplayLanguage, kUserLocale };

// "registry", "display-language", "user-locale": the names of the JSON report.
const char* language_source_name(LanguageSource source);

}  // namespace checker
