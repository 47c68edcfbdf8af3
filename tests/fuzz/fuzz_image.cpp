// The tree checker's reading of disc images (libcdio through our disc
// trees) and the whole check on them, on images the fuzzer mutates from
// small mastered seeds (Joliet, ISO 9660 only, UDF bridge). Checks, beyond
// the absence of crashes and leaks: a probe answers an image or an error,
// never both; every file system the probe reports opens and gives a full
// report; reads never return more than asked; exit statuses are those the
// launcher can end with; a started setup program was found by a path the
// file test takes.
#include <sys/mman.h>
#include <unistd.h>

#include <string>

#include "checker/check.h"
#include "checker/disc_findings.h"
#include "checker/image_tree.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

bool possible_exit(int status) {
  return status == 0 || status == -1 || status == 2 || status == 11 || status == 31;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
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
    checker::TreeCheck check = checker::check_tree(*tree, path, checker::CheckOptions{});
    checker::check_disc(*tree, check);
    FUZZ_CHECK(check.medium == checker::file_system_name(fs));
    FUZZ_CHECK(check.languages.size() == 6 && check.unmatched);
    for (const checker::LanguageCheck& l : check.languages) {
      FUZZ_CHECK(possible_exit(l.exit_status));
      if (l.exit_status == 0) {
        FUZZ_CHECK(l.found_path && l.found_path->size() < 128 && l.starts.size() == 2);
      }
    }
  }
  return 0;
}
