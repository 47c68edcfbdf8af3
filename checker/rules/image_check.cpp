// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/rules/image_check.h"

#include <algorithm>
#include <map>
#include <memory>

#include "checker/predict/launch.h"
#include "checker/rules/check.h"
#include "checker/windows/disc_readers.h"

namespace checker {

namespace {

// The disc as a release that reads none of its file systems sees it: what
// is on it, nobody can tell there.
class NothingRead final : public Tree {
 public:
  Entry entry(const std::vector<std::string>& parts) override {
    return parts.empty() ? Entry::kFolder : Entry::kUnreadable;
  }
  std::optional<std::string> read(const std::vector<std::string>&, size_t) override {
    return std::nullopt;
  }
  Medium medium() const override { return Medium::kNothing; }
  bool on_disc() const override { return true; }
};

std::string shown_file_system(const DiscImage& image, std::optional<DiscFileSystem> fs) {
  if (!fs) return "no file system";
  switch (*fs) {
    case DiscFileSystem::kIso9660: return "ISO 9660";
    case DiscFileSystem::kJoliet: return "Joliet";
    case DiscFileSystem::kUdf: break;
  }
  return "UDF " + udf_revision_name(image.udf.value_or(0));
}

// The image's trees, each opened once.
class DiscTrees {
 public:
  explicit DiscTrees(const OpenDiscTree& open) : open_(open) {}

  // The tree of `fs` (none: the disc as nothing read); nullptr with `error`
  // set when the image says it has that file system but it cannot be read.
  Tree* tree(std::optional<DiscFileSystem> fs, std::string* error) {
    if (!fs) return &nothing_;
    auto& slot = trees_[*fs];
    if (!slot) slot = open_(*fs, error);
    return slot.get();
  }

  // The tree `release` reads: nothing where it reads no file system of the
  // image, or one that cannot be read.
  Tree& read_by(const DiscImage& image, const Release& release) {
    std::string ignored;
    Tree* read = tree(image.read_by(release.newest_udf), &ignored);
    return read != nullptr ? *read : nothing_;
  }

 private:
  const OpenDiscTree& open_;
  NothingRead nothing_;
  std::map<DiscFileSystem, std::unique_ptr<DiscTree>> trees_;
};

// A launch's exit status, "?" where nobody can tell it.
std::string exit_shown(const Launch& run) {
  return cannot_tell(run) ? "?" : std::to_string(run.exit_status);
}

// What a launch starts, as far as a user sees it: the setup program with
// its parameters, and the group the icon tool gets.
std::string started(const Launch& run) {
  if (run.os.starts.size() < 2) return "";
  const ProgramStart& setup = run.os.starts[1];
  const std::string group = group_of(run.os.starts[0]);
  return setup.file + (setup.parameters.empty() ? "" : " " + setup.parameters) + " with group " +
         group;
}

// How the launch of one locale on `release` differs between this report's
// tree and another: "ends with -1 there (0 here)", "starts ... there (...
// here)"; "" when it does not.
std::string one_change(const Launch& here, const Launch& there) {
  const std::string at_a = exit_shown(here), at_b = exit_shown(there);
  if (at_a != at_b) return "ends with " + at_b + " there (" + at_a + " here)";
  const std::string starts_a = started(here), starts_b = started(there);
  if (starts_a != starts_b) return "starts " + starts_b + " there (" + starts_a + " here)";
  return "";
}

// How the launch on `release` differs between this report's tree and
// another: "ENGLISH ends with -1 there (0 here)"; "" when it does not.
std::string launch_changes(Tree& here, Tree& there, const Release& release, const TreeCheck& result,
                           const CheckOptions& options) {
  std::string differ;
  const std::vector<std::string> locales = checked_locales(options);
  for (size_t i = 0; i < locales.size() && i < result.languages.size(); ++i) {
    const std::string change =
        one_change(launch(here, locales[i], release, marks_of(release), options),
                   launch(there, locales[i], release, marks_of(release), options));
    if (change.empty()) continue;
    const LanguageCheck& l = result.languages[i];
    differ +=
        (differ.empty() ? "" : ", ") + (l.language.empty() ? l.locale : l.language) + " " + change;
  }
  return differ;
}

// Once, whatever the image holds: data past its end is unreadable on every
// file system, so what the launcher needs may be gone, and so may the files
// setup copies later.
void report_short(const DiscImage& image, TreeCheck& result) {
  result.findings.push_back(finding(
      Code::kDiscImageShort,
      "The image is cut short: it has " + std::to_string(image.image_bytes) +
          " bytes, and its volume " + std::to_string(image.volume_bytes) +
          ", as a burn or a download that stopped leaves it. Files "
          "past its end cannot be read, on any Windows. Make or download the image again."));
}

void report_not_read(const DiscReader& reader, const DiscImage& image, bool chosen,
                     const std::string& why, TreeCheck& result) {
  const std::string holds =
      std::string(image.iso9660 ? "ISO 9660" : "") + (image.joliet ? " with Joliet" : "") +
      (image.udf
           ? std::string(image.iso9660 ? " and " : "") + "UDF " + udf_revision_name(*image.udf)
           : "");
  result.findings.push_back(finding(
      chosen ? Code::kDiscNotRead : Code::kDiscNotReadElsewhere,
      std::string(reader.title) + " reads no file system of this image (" +
          (why.empty() ? "it holds " + holds + ", and " + reader.title + " reads " +
                             (reader.newest_udf() == 0
                                  ? std::string("no UDF")
                                  : "UDF up to " + udf_revision_name(reader.newest_udf()))
                       : why) +
          "), so the launcher cannot start there. Master ISO 9660 and Joliet beside UDF, with UDF "
          "1.02 for Windows 98/ME."));
}

}  // namespace

std::optional<TreeCheck> check_image(const std::string& path, const DiscImage& image,
                                     const CheckOptions& options, std::string* error) {
  const OpenDiscTree open = [&path](DiscFileSystem fs, std::string* why) {
    return open_disc_tree(path, fs, why);
  };
  return check_image_trees(path, image, open, options, error);
}

std::optional<TreeCheck> check_image_trees(const std::string& path, const DiscImage& image,
                                           const OpenDiscTree& open, const CheckOptions& options,
                                           std::string* error) {
  DiscTrees trees(open);
  const uint16_t chosen_udf = options.release->newest_udf;
  const auto chosen_fs = image.read_by(chosen_udf);
  Tree* chosen = trees.tree(chosen_fs, error);
  if (chosen == nullptr) return std::nullopt;
  const TreeOf tree_of = [&](const Release& r) -> Tree& { return trees.read_by(image, r); };
  TreeCheck result = check_tree(*chosen, path, options,
                                chosen_fs ? static_cast<DiscTree*>(chosen) : nullptr, tree_of);
  if (image.udf) result.udf_revision = udf_revision_name(*image.udf);
  if (image.image_bytes < image.volume_bytes) report_short(image, result);

  std::map<DiscFileSystem, std::string> changed_on;  // readers of another tree, and the change
  std::map<DiscFileSystem, std::string> change;
  for (const DiscReader& reader : kDiscReaders) {
    const auto fs = image.read_by(reader.newest_udf());
    result.disc_readings.push_back({reader.title, reader.name, fs ? file_system_name(*fs) : "",
                                    fs ? shown_file_system(image, fs) : "nothing"});
    std::string why;
    Tree* there = !fs || fs == chosen_fs ? nullptr : trees.tree(fs, &why);
    if (!fs || (fs != chosen_fs && there == nullptr)) {
      report_not_read(reader, image, reader.newest_udf() == chosen_udf, why, result);
      continue;
    }
    if (there == nullptr || !chosen_fs) continue;
    const std::string differ =
        launch_changes(*chosen, *there, **release_named(reader.release), result, options);
    if (differ.empty()) continue;
    changed_on[*fs] += (changed_on[*fs].empty() ? "" : ", ") + std::string(reader.title);
    change[*fs] = differ;
  }
  for (const auto& [fs, readers] : changed_on) {
    result.findings.push_back(finding(
        Code::kDiscTwoTrees,
        readers + " read" + (readers.find(',') == std::string::npos ? "s" : "") + " the image's " +
            shown_file_system(image, fs) + " tree, not the " + shown_file_system(image, chosen_fs) +
            " tree of this report, and "
            "the launch changes there: " +
            change[fs] + ". Give every tree of the image the same names."));
  }
  return result;
}

}  // namespace checker
