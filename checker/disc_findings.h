// What only a disc image can get wrong: the autorun file that starts the
// launcher when the disc is inserted, the launcher at the root, and names
// the tree needs that the image does not hold as Windows reads it.
#pragma once

#include "checker/check.h"
#include "checker/image_tree.h"

namespace checker {

// Adds the disc's findings to `result`, a check run against `tree`.
void check_disc(DiscTree& tree, TreeCheck& result);

// The whole check of the image at `path`: the tree Windows 98 and later read,
// the disc's findings, and, for a UDF bridge, what changes on Windows 95,
// which reads the other tree. None, with `error` set, when the image cannot
// be read.
std::optional<TreeCheck> check_image(const std::string& path, const DiscImage& image,
                                     const CheckOptions& options, std::string* error);

}  // namespace checker
