// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/rules/release_starts.h"

#include <algorithm>

namespace checker {

namespace {

// The start of `file` that a launch on release `i`, made on `tree`, made.
std::optional<PredictedStart> launched(const LanguageCheck& l, const Tree& tree,
                                       const std::string& file, size_t i) {
  if (i >= l.by_release.size() || l.by_release[i].tree != &tree) return std::nullopt;
  for (const ProgramStart& s : l.by_release[i].starts) {
    if (s.file == file) return PredictedStart{s.result, s.note, s.kind};
  }
  return std::nullopt;
}

PredictedStart start_on(const TreeCheck& check, Tree& tree, const std::string& file, size_t i) {
  for (const LanguageCheck& l : check.languages) {
    if (const auto start = launched(l, tree, file, i)) return *start;
  }
  if (check.unmatched) {
    if (const auto start = launched(*check.unmatched, tree, file, i)) return *start;
  }
  return predicted_start(tree, file, kReleases[i]);
}

}  // namespace

bool same_start(const PredictedStart& a, const PredictedStart& b) {
  return a.result == b.result && a.note == b.note && a.kind == b.kind;
}

ReleaseStarts release_starts(const TreeCheck& check, Tree& tree, const std::string& file,
                             const Release* skip) {
  ReleaseStarts out{std::vector<bool>(kReleaseCount), {}};
  for (size_t i = 0; i < kReleaseCount; ++i) {
    if (&kReleases[i] == skip) continue;
    const PredictedStart start = start_on(check, tree, file, i);
    if (start.result > 32) {
      out.starts[i] = true;
      continue;
    }
    auto same = std::find_if(out.refusals.begin(), out.refusals.end(),
                             [&](const StartOn& s) { return same_start(s.start, start); });
    if (same == out.refusals.end()) {
      out.refusals.push_back({std::vector<bool>(kReleaseCount), start});
      same = out.refusals.end() - 1;
    }
    same->on[i] = true;
  }
  return out;
}

size_t count_of(const std::vector<bool>& on) {
  return static_cast<size_t>(std::count(on.begin(), on.end(), true));
}

}  // namespace checker
