// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The whole check of a disc image, as each release of Windows reads it: the
// release predicted reads one file system (UDF of a revision it knows, else
// Joliet, else ISO 9660); the others may read another, or none.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "checker/rules/tree_check.h"
#include "checker/source/disc/disc_image.h"

namespace checker {

// The check of the tree the release predicted reads, with the disc's
// findings, what each release reads, and where the launch changes on a
// release that reads another tree. None, with `error` set, when a tree the
// image says it has cannot be read.
std::optional<TreeCheck> check_image(const std::string& path, const DiscImage& image,
                                     const CheckOptions& options, std::string* error);

// The same, on the trees `open` gives for the image's file systems (a
// test's trees held in memory); nullptr with `error` set: one that cannot
// be read.
using OpenDiscTree =
    std::function<std::unique_ptr<DiscTree>(DiscFileSystem fs, std::string* error)>;
std::optional<TreeCheck> check_image_trees(const std::string& path, const DiscImage& image,
                                           const OpenDiscTree& open, const CheckOptions& options,
                                           std::string* error);

}  // namespace checker
