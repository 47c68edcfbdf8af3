// What a disc image holds, and its trees opened by file system.
#include <cstring>
#include <fstream>

#include "checker/source/disc/library_log.h"
#include "checker/source/disc/listed_tree.h"

namespace checker {

std::optional<DiscFileSystem> DiscImage::read_by(uint16_t newest_udf) const {
  if (udf && *udf <= newest_udf) return DiscFileSystem::kUdf;
  if (joliet) return DiscFileSystem::kJoliet;
  if (iso9660) return DiscFileSystem::kIso9660;
  return std::nullopt;
}

std::optional<DiscImage> probe_image(const std::string& path, std::string* error) {
  take_library_message();
  error->clear();
  DiscImage image;
  // A UDF volume counts where libudfread opens it and its revision is read.
  if (open_udf_tree(path)) image.udf = udf_revision(path);
  // An ISO 9660 volume descriptor at block 16: "\1CD001".
  std::ifstream in(path, std::ios::binary);
  char head[6] = {};
  in.seekg(16 * 2048);
  image.iso9660 = in.read(head, sizeof(head)) && std::memcmp(head + 1, "CD001", 5) == 0;
  if (!image.iso9660) {
    if (!image.udf) return std::nullopt;
    return image;
  }
  if (!open_iso_tree(path, false)) {
    if (image.udf) {
      image.iso9660 = false;  // a UDF disc whose ISO 9660 side is damaged
      return image;
    }
    *error = path + " is not a readable ISO 9660 image";
    return std::nullopt;
  }
  image.joliet = has_joliet_tree(path);
  return image;
}

std::unique_ptr<DiscTree> open_disc_tree(const std::string& path, DiscFileSystem fs,
                                         std::string* error) {
  take_library_message();
  std::unique_ptr<DiscTree> tree = fs == DiscFileSystem::kUdf
                                       ? open_udf_tree(path)
                                       : open_iso_tree(path, fs == DiscFileSystem::kJoliet);
  // A damaged image may open; its root folder must be there too.
  if (!tree || !tree->names({})) {
    const std::string said = take_library_message();
    *error = path + " is damaged: its " + file_system_name(fs) + " file system cannot be read" +
             (said.empty() ? "" : " (" + said + ")");
    return nullptr;
  }
  return tree;
}

}  // namespace checker
