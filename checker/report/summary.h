// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The lines every report opens with: where each release has the user's
// language from, and what each Windows reads of a disc image.
#pragma once

#include <string>

#include "checker/rules/tree_check.h"

namespace checker {

// "the registry's ResourceLocale on Windows 95 to ME; the display language
// on Windows 2000 to 11, which keep none; ...".
std::string language_sources(const TreeCheck& check);
// What the report says of client.ini: "found (ansi)"; "cannot be read: the
// launch for every language is unknown"; "missing".
std::string profile_state(const TreeCheck& check);
// "Windows 95 reads Joliet; ...; Windows Vista and later UDF 2.01".
std::string file_systems(const TreeCheck& check);
// Where the tree lies: "drive D:", or the place --from gave, with the
// launcher's own path there.
std::string place_text(const TreeCheck& check);

}  // namespace checker
