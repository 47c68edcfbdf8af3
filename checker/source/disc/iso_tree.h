// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The ISO 9660 volume of an image and its Joliet names, read with libcdio's
// libiso9660: Windows 95 and later read them.
#pragma once

#include <memory>
#include <string>

#include "checker/source/disc/image_tree.h"

namespace checker {

// Whether the ISO 9660 volume at `path` has a Joliet volume descriptor.
bool has_joliet_tree(const std::string& path);
// The two trees of the ISO 9660 volume; nullptr when the image holds no
// such tree or its root cannot be read.
std::unique_ptr<DiscTree> open_iso_tree(const std::string& path, bool joliet);

}  // namespace checker
