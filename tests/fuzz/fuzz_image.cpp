// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// The tree checker's reading of disc images (libcdio and libudfread through
// our disc trees) and the whole check on them, on images the fuzzer mutates
// from small mastered seeds (Joliet, ISO 9660 only, UDF bridge, one cut
// short, an empty UDF 2.01 volume, and one written once, as on a DVD-R). Checks, beyond the absence
// of crashes and leaks: a probe answers an image or an error, never both; every file system the
// probe reports opens and gives a full report; every name listed is valid UTF-8 and found again by
// its ANSI form; reads never return more than asked; exit statuses are those the launcher can end
// with; a started setup program was found by a path the file test takes; a launch is "cannot tell"
// only where a finding says which file cannot be read.
#include <sys/mman.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "checker/rules/check.h"
#include "checker/names/code_page.h"
#include "checker/rules/image_check.h"
#include "checker/source/disc/disc_image.h"
#include "checker/source/disc/library_log.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

bool possible_exit(int status) {
  return status == 0 || status == -1 || status == 2 || status == 11 || status == 31;
}

// Every name a folder lists is valid UTF-8, and one with an ANSI form is
// found again by it, as what the listing says it is; folders are walked
// down to a bounded depth.
void check_names(checker::DiscTree& tree, std::vector<std::string>& parts, int depth) {
  const auto names = tree.names(parts);
  if (!names || depth > 3) return;
  size_t seen = 0;
  for (const checker::DiscName& entry : *names) {
    if (++seen > 64) break;
    const std::string ansi = checker::ansi_text(entry.name);
    FUZZ_CHECK(checker::encode_utf8(checker::decode_utf8(entry.name)) == entry.name);
    if (ansi.find("<U+") != std::string::npos) continue;
    parts.push_back(ansi);
    const auto found = tree.entry(parts);
    FUZZ_CHECK(found != checker::Tree::Entry::kMissing);
    // A second entry of the same name (in another case) may be found instead.
    if (found == checker::Tree::Entry::kFolder && entry.folder) check_names(tree, parts, depth + 1);
    parts.pop_back();
  }
}

bool says_unreadable(const checker::TreeCheck& check, const checker::LanguageCheck& l,
                     const std::string& d_path) {
  for (const auto* findings : {&check.findings, &l.findings}) {
    for (const checker::Finding& f : *findings) {
      if (f.code == checker::Code::kFileUnreadable && f.file == d_path) return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  checker::route_library_logs();
  static const int fd = memfd_create("image", 0);
  if (fd < 0 || ftruncate(fd, 0) != 0) return 0;
  if (size > 0 && pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) return 0;
  const std::string path = "/proc/self/fd/" + std::to_string(fd);

  std::string error;
  const auto image = checker::probe_image(path, &error);
  FUZZ_CHECK(!(image && !error.empty()));
  if (!image) return 0;
  for (const auto fs : {checker::DiscFileSystem::kIso9660, checker::DiscFileSystem::kJoliet,
                        checker::DiscFileSystem::kUdf}) {
    if ((fs == checker::DiscFileSystem::kJoliet && !image->joliet) ||
        (fs == checker::DiscFileSystem::kUdf && !image->udf) ||
        (fs == checker::DiscFileSystem::kIso9660 && !image->iso9660)) {
      continue;
    }
    const auto tree = checker::open_disc_tree(path, fs, &error);
    if (!tree) continue;
    FUZZ_CHECK(tree->file_system() == fs);
    const auto head = tree->read({"install", "quv", "win", "client.ini"}, 7);
    FUZZ_CHECK(!head || head->size() <= 7);
    std::vector<std::string> parts;
    check_names(*tree, parts, 0);
    // Every rule group, the disc's included, as for a tree of a disc.
    checker::TreeCheck check =
        checker::check_tree(*tree, path, checker::CheckOptions{}, tree.get());
    FUZZ_CHECK(check.medium == checker::medium_of(fs));
    FUZZ_CHECK(check.languages.size() == 6 && check.unmatched);
    for (const checker::LanguageCheck& l : check.languages) {
      FUZZ_CHECK(possible_exit(l.exit_status));
      // "Cannot tell" in the table only where a finding says that file
      // cannot be read.
      if (l.cannot_tell) FUZZ_CHECK(says_unreadable(check, l, *l.cannot_tell));
      if (l.exit_status == 0) {
        FUZZ_CHECK(l.found_path && l.found_path->size() < 128 && l.starts.size() == 2);
      }
    }
  }
  // The whole check, as the command runs it.
  const auto whole = checker::check_image(path, *image, checker::CheckOptions{}, &error);
  FUZZ_CHECK(!whole || whole->disc_readings.size() == 5);
  return 0;
}
