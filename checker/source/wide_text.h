// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// UTF-8, the checker's text, to and from the UTF-16 of Windows' wide calls
// (Windows build only).
#pragma once

#include <windows.h>

#include <string>

namespace checker {

inline std::wstring wide_from_utf8(const std::string& utf8) {
  std::wstring text(utf8.size() + 1, L'\0');
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, text.data(), static_cast<int>(text.size()));
  text.resize(length > 0 ? static_cast<size_t>(length) - 1 : 0);
  return text;
}

inline std::string utf8_from_wide(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  out.pop_back();  // the terminator
  return out;
}

}  // namespace checker
