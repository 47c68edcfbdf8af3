// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Code page 1252, the Western ANSI code page the tree checker assumes: the
// profile and the paths of a tree are in it, Unix file names and the JSON
// report in UTF-8.
#pragma once

#include <string>

namespace checker {

// The Unicode character of an ANSI byte. Bytes the code page leaves
// unassigned (81, 8D, 8F, 90, 9D) keep their own value, as Windows maps them.
char32_t from_ansi(unsigned char byte);
// The ANSI byte of a character as Windows converts it: the code page's own
// byte, else its best-fit byte (Ω gives O, U+3000 a blank), else '?'.
char to_ansi(char32_t c);
// Folds a character's case as Windows compares names (letters of the code
// page only).
char32_t fold_case(char32_t c);

std::u32string decode_ansi(const std::string& bytes);
// ANSI text as UTF-8, for a terminal or a JSON document.
std::string ansi_to_utf8(const std::string& text);

// A file name on disk (UTF-8) against a name of the tree (ANSI), compared
// as Windows compares names: without regard to case.
bool same_file_name(const std::string& utf8, const std::string& ansi);
// Two ANSI names (profile names, paths of the tree), compared the same way.
bool same_ansi_name(const std::string& a, const std::string& b);
// Two names as decoded (a profile's names against a request), compared
// character by character the same way: a letter of the code page matches
// its other case, and no other character matches an ASCII letter (the
// dotless ı, the dotted İ and the long ſ are not I or S).
bool same_wide_name(const std::u32string& a, const std::u32string& b);
// U+FFFD for each byte of an invalid sequence (overlong forms and
// surrogates included), as Windows decodes UTF-8.
std::u32string decode_utf8(const std::string& bytes);
// The length of the valid UTF-8 sequence at `at` (one character, no
// surrogate, no overlong form); 0 when none starts there.
size_t utf8_sequence_at(const std::string& text, size_t at);
std::string encode_utf8(const std::u32string& text);
// A UTF-8 name (of a disc) for the checker's ANSI messages: each character
// as its own ANSI byte, "<U+03A9>" for one the code page lacks, so that
// nothing is encoded twice or lost.
std::string ansi_text(const std::string& utf8);
// Big-endian UTF-16 (Joliet names): a pair of surrogates is one character,
// a lone one U+FFFD; an odd last byte is dropped.
std::u32string decode_utf16be(const std::string& bytes);

}  // namespace checker
