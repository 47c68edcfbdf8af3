// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Names the launcher needs that a disc image does not hold as Windows reads
// it: ISO 9660's 8.3 names and eight folder levels, Joliet's 64-character
// names and 120-character paths.
#pragma once

#include <string>
#include <vector>

#include "checker/rules/tree_check.h"

namespace checker {

// A finding where the file at `d_path` (`what`: "The profile") is missing
// from the disc's tree and the image tells why.
void check_lost_name(DiscTree& tree, const std::string& d_path, const std::string& what,
                     TreeCheck& result);

// An ISO 9660 name: a base of up to 8 and an extension of up to 3 of
// letters, digits and _, one dot between them.
bool is_8_3(const std::string& name);
// The name as a mastering tool writes it for ISO 9660: split at its last
// dot, upper case, each other character (other dots too) as _, the base
// cut to 8 and the extension to 3.
std::string iso_written(const std::string& name);

}  // namespace checker
