// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The families of Windows, named groups of the releases (releases.h) that
// --windows and the JSON report still name; where each release has the
// user's language; and what each release reads of a disc.
#pragma once

#include <stdint.h>

#include <optional>
#include <string>

namespace checker {

enum class Windows { k9x, kNt32, kNt64 };

constexpr Windows kAllWindows[] = {Windows::k9x, Windows::kNt32, Windows::kNt64};

// "9x", "nt32", "nt64": the names of --windows and of the JSON report.
const char* windows_name(Windows windows);
std::optional<Windows> windows_named(const std::string& name);

// Where the launcher finds the user's language: the registry's
// ResourceLocale, which only Windows 95/98/ME keep in a user's profile, or,
// where the registry holds none, the user's display language (Windows 2000
// and later), or where Windows has neither, the user's locale (NT 4.0).
enum class LanguageSource { kRegistry, kDisplayLanguage, kUserLocale };

// "registry", "display-language", "user-locale": the names of the JSON report.
const char* language_source_name(LanguageSource source);

// A release of Windows as it reads a disc: the newest UDF revision it reads
// (0: none; it reads Joliet, else ISO 9660), and the release (kReleases'
// name) that stands for it.
struct DiscReader {
  const char* title;    // "Windows 98/ME"
  const char* name;     // "98-me": the JSON report's key
  const char* release;  // "98"
  uint16_t newest_udf;
};

// Windows 95 and NT 4.0, 98/ME, 2000, XP, and Vista and later, oldest first.
extern const DiscReader kDiscReaders[5];

}  // namespace checker
