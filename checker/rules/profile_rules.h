// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The rules about client.ini itself: where it is, how its bytes are
// encoded and which keys of [95] the launcher never reads.
#pragma once

#include <optional>
#include <string>

#include "checker/rules/tree_check.h"

namespace checker {

// Missing, unreadable or undecodable profile; no [95]; unknown keys.
void check_profile(const TreeFacts& facts, TreeCheck& result);

// A byte-order mark that some Windows does not decode: the launch as the
// author meant it (the text decoded) against the launch on each release.
void check_encoding(const TreeFacts& facts, TreeCheck& result);

// A file of profile text (client.ini, autorun.inf) saved as UTF-8 without
// a mark, which every Windows reads as ANSI: its first line beyond ASCII,
// as read and as meant. `name` is the file's name in the message, `d_path`
// where it is.
Finding utf8_without_mark(const std::string& bytes, const std::string& name,
                          const std::string& d_path);

// The known profile key nearest to `key`, when one is close (a typo).
std::optional<std::string> nearest_known_key(const std::string& key);

}  // namespace checker
