// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/names/code_page.h"
#include "checker/report/locations.h"

#include <algorithm>

#include "checker/report/json_text.h"

namespace checker {

std::vector<std::pair<std::string, const Finding*>> all_findings(const TreeCheck& check) {
  auto all = check.each_finding();
  std::stable_sort(all.begin(), all.end(), [](const auto& a, const auto& b) {
    return a.second->severity() == Severity::kError && b.second->severity() != Severity::kError;
  });
  return all;
}

std::string editor_path(const TreeCheck& check, const std::string& d_path) {
  if (check.medium != Medium::kFolder) return check.tree + ":" + ansi_to_utf8(d_path);
  const auto found = check.host_files.find(d_path);
  if (found != check.host_files.end()) return found->second;
  std::string tree = check.tree;
  while (tree.size() > 1 && (tree.back() == '/' || tree.back() == '\\')) tree.pop_back();
  std::string path = tree + "/" + ansi_to_utf8(d_path.size() > 3 ? d_path.substr(3) : "");
  std::replace(path.begin() + static_cast<std::ptrdiff_t>(tree.size()), path.end(), '\\', '/');
  return path;
}

std::string editor_location(const TreeCheck& check, const Finding& f) {
  if (f.file.empty()) return check.tree;
  std::string out = editor_path(check, f.file);
  if (f.line) out += ':' + std::to_string(*f.line);
  return out;
}

const ProgramStart* icon_start(const LanguageCheck& l) {
  return l.starts.empty() ? nullptr : &l.starts[0];
}
const ProgramStart* setup_start(const LanguageCheck& l) {
  return l.starts.size() < 2 ? nullptr : &l.starts[1];
}

}  // namespace checker
