// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// How Windows turns a path into a full path before it opens anything
// (GetFullPathName, and so OpenFile and ShellExecute): the rules the tree
// checker applies to every path on drive D:, on Linux and on Windows alike.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace checker {

struct FullPath {
  std::string text;                // e.g. "D:\products\setup.exe", the spelling as given
  std::vector<std::string> parts;  // its components below the root
  // The path ends in a separator, so it names a folder: no file matches it.
  bool names_folder = false;
  // A component is left that no file can have ("." or ".." after "...", a
  // control character, or one of "*:<>?|): nothing matches it.
  bool unusable = false;
};

// The full path of a path on drive D: ("D:..." in either case), none for a
// path on another drive or none at all. Both slashes separate and runs of
// them count as one; "." goes; ".." takes one component back, never above
// the root; a component followed by a separator loses one trailing dot; the
// last component loses all its trailing dots and blanks. A path without a
// separator after "D:" is taken from the root, where the launcher starts.
std::optional<FullPath> full_path(const std::string& d_path);

}  // namespace checker
