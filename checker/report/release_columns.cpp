// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/report/release_columns.h"

#include <algorithm>

namespace checker {

namespace {

bool same_start(const ProgramStart& a, const ProgramStart& b) {
  return a.file == b.file && a.parameters == b.parameters && a.result == b.result &&
         a.kind == b.kind && a.note == b.note;
}

bool same_launch(const ReleaseLaunch& a, const ReleaseLaunch& b) {
  return a.exit_status == b.exit_status && a.boxes == b.boxes && a.cannot_tell == b.cannot_tell &&
         a.starts.size() == b.starts.size() &&
         std::equal(a.starts.begin(), a.starts.end(), b.starts.begin(), same_start);
}

// True when releases `a` and `b` do the same for every language checked.
bool agree(const TreeCheck& check, size_t a, size_t b) {
  const auto alike = [&](const LanguageCheck& l) {
    return l.by_release.size() == kReleaseCount && same_launch(l.by_release[a], l.by_release[b]);
  };
  for (const LanguageCheck& l : check.languages) {
    if (!alike(l)) return false;
  }
  return !check.unmatched || alike(*check.unmatched);
}

}  // namespace

std::string run_label(size_t first, size_t last) {
  if (first == 0 && last + 1 == kReleaseCount) {
    // Named by the first and newest releases; Windows on Arm comes with them.
    size_t newest = last;
    while (newest > 0 && on_arm(kReleases[newest].width)) {
      --newest;
    }
    return "Every Windows (" + std::string(kReleases[first].short_title) + " to " +
           kReleases[newest].short_title + ")";
  }
  for (const ReleaseGroup& group : kReleaseGroups) {
    if (first_index(group) == first && last_index(group) == last) return group.label;
  }
  return (first == 0 ? "Windows " : "") + release_run(first, last);
}

std::vector<ReleaseColumn> release_columns(const TreeCheck& check) {
  // Where every release does the same for every language: one column.
  bool every = true;
  for (size_t i = 1; i < kReleaseCount && every; ++i) every = agree(check, 0, i);
  if (every) return {{run_label(0, kReleaseCount - 1), 0, kReleaseCount - 1}};
  std::vector<ReleaseColumn> columns;
  for (const ReleaseGroup& group : kReleaseGroups) {
    const size_t last = last_index(group);
    size_t first = first_index(group);
    for (size_t i = first + 1; i <= last + 1; ++i) {
      if (i <= last && agree(check, first, i)) continue;
      columns.push_back({run_label(first, i - 1), first, i - 1});
      first = i;
    }
  }
  return columns;
}

LanguageCheck on_release(const LanguageCheck& l, size_t index) {
  LanguageCheck there = l;
  there.findings.clear();
  if (index >= l.by_release.size()) return there;
  const ReleaseLaunch& run = l.by_release[index];
  there.exit_status = run.exit_status;
  there.starts = run.starts;
  there.boxes = run.boxes;
  there.setup_path = run.setup_path;
  there.found_path = run.found_path.empty() ? std::nullopt : std::optional(run.found_path);
  there.cannot_tell = run.cannot_tell;
  return there;
}

}  // namespace checker
