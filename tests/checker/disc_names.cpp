// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Lists every name the checker sees on a disc image, per file system, for
// the differential test against 7-Zip: "joliet<TAB>d<TAB>folder/name" lines.
// Folders are walked by their ANSI names, as the launcher finds them; a
// folder whose name has no ANSI form is listed but not entered.
#include <cstdio>
#include <string>
#include <vector>

#include "checker/names/code_page.h"
#include "checker/source/disc/disc_image.h"
#include "checker/source/disc/library_log.h"

namespace {

void list(checker::DiscTree& tree, std::vector<std::string>& parts, const std::string& shown) {
  const auto names = tree.names(parts);
  if (!names) {
    std::printf("%s\t!\t%s\n", medium_name(tree.medium()), shown.c_str());
    return;
  }
  for (const checker::DiscName& entry : *names) {
    const std::string path = shown.empty() ? entry.name : shown + "/" + entry.name;
    const std::string ansi = checker::ansi_text(entry.name);
    // A name with an ANSI form is found by it, as the launcher finds it.
    const bool by_ansi = ansi.find("<U+") == std::string::npos;
    parts.push_back(ansi);
    const auto found = by_ansi ? tree.entry(parts) : checker::Tree::Entry::kMissing;
    const bool kind_agrees = !by_ansi || found == (entry.folder ? checker::Tree::Entry::kFolder
                                                                : checker::Tree::Entry::kFile);
    std::printf("%s\t%s\t%s\n", medium_name(tree.medium()),
                !kind_agrees   ? "?"
                : entry.folder ? "d"
                               : "f",
                path.c_str());
    if (entry.folder && by_ansi) list(tree, parts, path);
    parts.pop_back();
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  checker::route_library_logs();
  std::string error;
  const auto image = checker::probe_image(argv[1], &error);
  if (!image) {
    std::fprintf(stderr, "%s\n", error.empty() ? "not a disc image" : error.c_str());
    return 2;
  }
  if (image->udf)
    std::printf("udf-revision\t%s\n", checker::udf_revision_name(*image->udf).c_str());
  for (const auto fs : {checker::DiscFileSystem::kIso9660, checker::DiscFileSystem::kJoliet,
                        checker::DiscFileSystem::kUdf}) {
    const bool has = fs == checker::DiscFileSystem::kIso9660  ? image->iso9660
                     : fs == checker::DiscFileSystem::kJoliet ? image->joliet
                                                              : image->udf.has_value();
    if (!has) continue;
    const auto tree = checker::open_disc_tree(argv[1], fs, &error);
    if (!tree) {
      std::printf("%s\t!\t\n", checker::file_system_name(fs));
      continue;
    }
    std::vector<std::string> parts;
    list(*tree, parts, "");
  }
  return 0;
}
