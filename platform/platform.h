// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The operating-system operations the launcher needs, and nothing more.
// The Windows build implements them with the ANSI Win32 calls; the host tests
// implement them with a recording fake, so the launch logic is written once.
#pragma once

#include <stdint.h>

namespace platform {

// Opaque registry key handle (an HKEY on Windows).
using RegKey = void*;

// Size of the lead-byte range table of the ANSI code page (CPINFO::LeadByte).
constexpr int kLeadByteTableSize = 12;
// Size of the full-path field of the file-test record (OFSTRUCT::szPathName).
constexpr int kFoundPathSize = 128;

constexpr uint32_t kStartfUseShowWindow = 1;  // STARTF_USESHOWWINDOW
constexpr int kShowMinimized = 2;             // SW_SHOWMINIMIZED
constexpr int kShowDefault = 10;              // SW_SHOWDEFAULT
constexpr uint32_t kMessageBoxStop = 0x10;    // MB_OK | MB_ICONHAND

class Platform {
 public:
  // The process's full command line.
  virtual const char* command_line() = 0;
  // dwFlags and wShowWindow of the process's start-up information.
  virtual void startup_info(uint32_t* flags, uint16_t* show_window) = 0;
  // Lead-byte ranges of the system ANSI code page: pairs (first, last),
  // ended by a zero pair; all zero for a single-byte code page.
  virtual void lead_byte_ranges(uint8_t ranges[kLeadByteTableSize]) = 0;
  // The launcher's own full path; returns the length written, 0 on failure.
  virtual uint32_t own_path(char* buffer, uint32_t size) = 0;

  // Opens a subkey of HKEY_CURRENT_USER; 0 on success. `*key` is the open
  // key, or nullptr when it could not be opened.
  virtual long open_user_key(const char* subkey, RegKey* key) = 0;
  // Reads the unnamed value of a subkey of an open key; 0 on success.
  virtual long query_value(RegKey key, const char* subkey, char* data, long* size) = 0;
  virtual void close_key(RegKey key) = 0;
  // The user's display language, a language id (GetUserDefaultUILanguage,
  // Windows 2000, ME and later); 0 where the system has no such call.
  virtual uint16_t display_language() = 0;
  // The user's locale, a language id (GetUserDefaultLangID, every Windows
  // since 95 and NT 3.1): where NT 4.0 keeps the user's language.
  virtual uint16_t user_locale() = 0;

  // Case-insensitive text comparison; 0 when equal.
  virtual int compare_no_case(const char* a, const char* b) = 0;
  // Formats `format`, a text without fields, into `out` (wsprintfA).
  virtual void format_text(char* out, const char* format) = 0;

  // Reads a profile (INI) value. Writes only the value and its terminator,
  // cut to size - 1, or the fallback when the file, section or key is missing.
  virtual uint32_t profile_string(const char* section, const char* key, const char* fallback,
                                  char* out, uint32_t size, const char* file) = 0;
  // True when the path names a file (not a folder), at any length the
  // system takes (GetFileAttributesA).
  virtual bool is_file(const char* path) = 0;
  // Tests that a file exists; on success writes its full path (terminated).
  virtual bool file_exists(const char* path, char found[kFoundPathSize]) = 0;
  // Starts a program with the default verb; the platform's launch result
  // (greater than 32 on success, else an error code).
  virtual intptr_t start_program(const char* file, const char* parameters, const char* directory,
                                 int show) = 0;
  // A modal message box with no owner and the default caption.
  virtual void message_box(const char* text, uint32_t style) = 0;

 protected:
  Platform() = default;
  ~Platform() = default;
  Platform(const Platform&) = default;
  Platform& operator=(const Platform&) = default;
};

}  // namespace platform
