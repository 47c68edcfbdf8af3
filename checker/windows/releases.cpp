// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/windows/releases.h"

#include <algorithm>

namespace checker {

size_t release_index(const Release& release) { return static_cast<size_t>(&release - kReleases); }

size_t first_index(const ReleaseGroup& group) {
  return release_index(**release_named(group.first));
}

size_t last_index(const ReleaseGroup& group) { return release_index(**release_named(group.last)); }

std::string release_names() {
  std::string out;
  for (const Release& r : kReleases) out += (out.empty() ? "" : ", ") + std::string(r.name);
  return out;
}

std::string release_run(size_t first, size_t last) {
  return std::string(kReleases[first].short_title) +
         (last == first ? "" : std::string(" to ") + kReleases[last].short_title);
}

std::string releases_prose(const std::vector<bool>& in) {
  if (std::count(in.begin(), in.end(), true) == static_cast<long>(kReleaseCount)) {
    return "every Windows";
  }
  std::vector<std::string> runs;
  for (size_t i = 0; i < kReleaseCount; ++i) {
    if (!in[i]) continue;
    size_t last = i;
    while (last + 1 < kReleaseCount && in[last + 1] &&
           (kReleases[last + 1].family == Windows::k9x) == (kReleases[i].family == Windows::k9x)) {
      ++last;
    }
    runs.push_back(release_run(i, last));
    i = last;
  }
  if (runs.empty()) return "";
  std::string out = "Windows ";
  for (size_t i = 0; i < runs.size(); ++i) {
    out += (i == 0 ? "" : i + 1 == runs.size() ? " and " : ", ") + runs[i];
  }
  return out;
}

std::optional<const Release*> release_named(const std::string& name) {
  for (const Release& r : kReleases) {
    if (name == r.name) return &r;
  }
  return std::nullopt;
}

const Release& representative_release(Windows family) {
  const char* name = family == Windows::k9x ? "98" : family == Windows::kNt32 ? "10-32" : "10";
  return **release_named(name);
}

}  // namespace checker
