// What only a disc image can get wrong: the autorun file that starts the
// launcher when the disc is inserted, the launcher at the root, and names
// the tree needs that the image does not hold as Windows reads it.
#pragma once

#include "checker/check.h"
#include "checker/image_tree.h"

namespace checker {

// Adds the disc's findings to `result`, a check run against `tree` (the
// file system the predicted Windows reads of `image`).
void check_disc(DiscTree& tree, const DiscImage& image, TreeCheck& result);

// For a UDF bridge image: what Windows 95, which reads the other tree, does
// differently from `result` (a check of the UDF tree).
void compare_windows_95(const TreeCheck& windows_95, TreeCheck& result);

}  // namespace checker
