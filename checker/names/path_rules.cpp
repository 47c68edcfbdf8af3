// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/names/path_rules.h"

#include <string_view>

namespace checker {

namespace {

constexpr size_t kMark = 3;  // after "D:\": the root is never removed

// "D:" and the rest with backslashes only, runs of them as one.
std::string single_separators(const std::string& d_path) {
  std::string path = "D:\\" + d_path.substr(2);
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  std::string single = path.substr(0, kMark);
  for (size_t i = kMark; i < path.size(); ++i) {
    if (path[i] != '\\' || single.back() != '\\') single.push_back(path[i]);
  }
  return single;
}

// "." and ".." components resolved, a trailing dot of each component before
// a separator dropped, and the last component's trailing dots and blanks.
std::string resolved(std::string path) {
  size_t p = kMark;
  const auto back_to_component_start = [&] {
    if (p > kMark) {
      --p;
      while (p > kMark && path[p - 1] != '\\') --p;
    }
  };
  while (p < path.size()) {
    if (path[p] == '.') {
      const char next = p + 1 < path.size() ? path[p + 1] : '\0';
      const char after = next == '.' && p + 2 < path.size() ? path[p + 2] : '\0';
      if (next == '\\') {  // ".\": goes
        path.erase(p, 2);
        continue;
      }
      if (next == '\0') {  // a last ".": goes, with the separator before it
        if (p > kMark) --p;
        path.resize(p);
        continue;
      }
      if (next == '.' && after == '\\') {  // "..\": takes the component before it away
        const size_t rest = p + 3;
        back_to_component_start();
        path.erase(p, rest - p);
        continue;
      }
      if (next == '.' && after == '\0') {  // a last "..": ends the path at the parent
        back_to_component_start();
        if (p > kMark) --p;
        path.resize(p);
        continue;
      }
    }
    while (p < path.size() && path[p] != '\\') ++p;
    if (p < path.size()) {
      // A component followed by a separator loses one trailing dot.
      if (p > kMark && path[p - 1] == '.') {
        path.erase(p - 1, 1);
      } else {
        ++p;
      }
    }
  }
  while (path.size() > kMark && (path.back() == ' ' || path.back() == '.')) path.pop_back();
  return path;
}

// The components of a full path, and whether one is no file name at all.
FullPath split(const std::string& path) {
  FullPath full;
  full.text = path;
  full.names_folder = path.size() > kMark && path.back() == '\\';
  std::string part;
  for (size_t i = kMark; i <= path.size(); ++i) {
    if (i < path.size() && path[i] != '\\') {
      part.push_back(path[i]);
      continue;
    }
    if (!part.empty()) full.parts.push_back(part);
    if (part == "." || part == "..") full.unusable = true;
    // Characters no Windows file name may hold.
    for (const char c : part) {
      if ((c > 0 && c < 0x20) || std::string_view("\"*:<>?|").find(c) != std::string_view::npos) {
        full.unusable = true;
      }
    }
    part.clear();
  }
  return full;
}

}  // namespace

// The rules follow Windows' path normalisation step by step (Wine's
// RtlGetFullPathName_U is the witness the tests run it against).
std::optional<FullPath> full_path(const std::string& d_path) {
  if (d_path.size() < 2 || (d_path[0] != 'D' && d_path[0] != 'd') || d_path[1] != ':') {
    return std::nullopt;
  }
  return split(resolved(single_separators(d_path)));
}

}  // namespace checker
