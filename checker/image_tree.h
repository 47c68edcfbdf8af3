// A disc image (ISO 9660, with Joliet and UDF where it has them) as a tree
// the checker can run the launcher against, with the names Windows sees:
// the Joliet names where the image has them, else the ISO 9660 names
// without their ";1" version and trailing dot; never Rock Ridge names,
// which Windows does not read. A UDF bridge image also holds a UDF tree,
// which Windows 98 and later read instead. Read with libcdio's libiso9660
// and libudf: only the volume descriptors, the folders on the paths asked
// for, and the few files opened.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "checker/tree.h"

namespace checker {

enum class DiscFileSystem { kIso9660, kJoliet, kUdf };

// "iso9660", "joliet", "udf".
const char* file_system_name(DiscFileSystem fs);

struct DiscImage {
  bool iso9660 = true;  // false for a disc with UDF alone
  bool joliet = false;
  bool udf = false;
  // The file system Windows 98, ME and every NT read: UDF where the image
  // has it, else Joliet, else ISO 9660.
  DiscFileSystem read_by_98_and_later() const;
  // Windows 95's: never UDF.
  DiscFileSystem read_by_windows_95() const;
};

// What the file at `path` holds: none when it is no disc image (`error`
// empty) or cannot be read as one (`error` says why).
std::optional<DiscImage> probe_image(const std::string& path, std::string* error);

// A tree over one file system of the image.
class DiscTree : public Tree {
 public:
  // The names in a folder of the tree, as Windows shows them; none when
  // the components name no folder.
  virtual std::optional<std::vector<std::string>> names(const std::vector<std::string>& parts) = 0;
  virtual DiscFileSystem file_system() const = 0;
  std::string medium() const override { return file_system_name(file_system()); }
};

std::unique_ptr<DiscTree> open_disc_tree(const std::string& path, DiscFileSystem fs,
                                         std::string* error);

}  // namespace checker
