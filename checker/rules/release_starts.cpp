// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/rules/release_starts.h"

#include <algorithm>

namespace checker {

ReleaseStarts release_starts(Tree& tree, const std::string& file, const Release* skip) {
  ReleaseStarts out{std::vector<bool>(kReleaseCount), {}};
  for (size_t i = 0; i < kReleaseCount; ++i) {
    if (&kReleases[i] == skip) continue;
    const PredictedStart start = predicted_start(tree, file, kReleases[i]);
    if (start.result > 32) {
      out.starts[i] = true;
      continue;
    }
    auto same = std::find_if(out.refusals.begin(), out.refusals.end(), [&](const StartOn& s) {
      return s.start.result == start.result && s.start.note == start.note &&
             s.start.kind == start.kind;
    });
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
