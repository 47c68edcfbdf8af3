// The rules about client.ini itself: where it is, how its bytes are
// encoded and which keys of [95] the launcher never reads.
#pragma once

#include <optional>
#include <string>

#include "checker/rules/check.h"

namespace checker {

// Missing, unreadable or undecodable profile; no [95]; unknown keys.
void check_profile(const TreeFacts& facts, TreeCheck& result);

// A byte-order mark that some Windows does not decode: the launch as the
// author meant it (the text decoded) against the launch on each release.
void check_encoding(const TreeFacts& facts, TreeCheck& result);

// The known profile key nearest to `key`, when one is close (a typo).
std::optional<std::string> nearest_known_key(const std::string& key);

}  // namespace checker
