// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Text inside an HTML page: the one escaping every text from a tree goes
// through (values, group names, file and disc names, paths, messages).
#pragma once

#include <string>

namespace checker {

// UTF-8 text as HTML text or an attribute value: & < > " ' as references,
// a control character or a byte that is no part of UTF-8 as the visible
// text \xNN; nothing else changes.
std::string html_text(const std::string& utf8);
// ANSI text (code page 1252) the same way.
std::string html_ansi(const std::string& ansi);

}  // namespace checker
