// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The launcher: picks the setup program of the user's language and starts it.
// This header declares the language table and the launcher's top-level entry.
#pragma once

#include <stdint.h>

#include "platform/platform.h"

namespace launcher {

// One supported language: the locale code it is chosen by, and its two
// keys in section "95" of the profile file.
struct LanguageRow {
  const char* locale_code;  // low byte of the language id, two hex digits, upper case
  const char* setup_key;    // value: path of the language's setup program
  const char* group_key;    // value: program group for the start-group icon
};

constexpr int kLanguageCount = 6;
// Compared in this order; the first match wins.
extern const LanguageRow kLanguages[kLanguageCount];

// One copy for the whole program (not one per file that reads the profile).
inline constexpr char kProfileSection[] = "95";
constexpr uint32_t kLocaleSize = 80;

// Exit statuses other than a launch error code.
constexpr int kExitStarted = 0;
constexpr int kExitFailed = -1;
// A launch result of 0 means "out of memory or resources"; reported as the
// launch error code of the same meaning so that it is never taken for success.
constexpr int kExitOutOfMemory = 8;  // SE_ERR_OOM

enum class LocaleRead { kOk, kUnreadable };

// Reads the unnamed value of HKCU\Control Panel\Desktop\ResourceLocale into
// `locale` (kLocaleSize bytes, always terminated). `key` is the open
// "Control Panel\Desktop" key, which the caller closes, or nullptr when it
// could not be opened.
LocaleRead read_resource_locale(platform::Platform& os, char (&locale)[kLocaleSize],
                                platform::RegKey* key);

// Where the registry holds no resource locale (Windows 2000 and later keep
// none), the user's display language written as one: its language id as
// eight upper-case hex digits; where the system has no display language
// (NT 4.0), the user's locale the same way. kUnreadable where neither
// gives an id.
LocaleRead display_language_as_locale(platform::Platform& os, char (&locale)[kLocaleSize]);

// The row whose code equals the locale value from its seventh character on,
// compared without regard to case; nullptr when none does.
const LanguageRow* select_language(platform::Platform& os, const char* locale);

// The whole program: derives the command-line tail and show state, runs the
// launch sequence, and returns the exit status.
int launcher_main(platform::Platform& os);

}  // namespace launcher
