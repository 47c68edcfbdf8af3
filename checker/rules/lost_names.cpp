// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/rules/lost_names.h"

#include "checker/names/code_page.h"
#include "checker/names/path_rules.h"

namespace checker {

namespace {

constexpr size_t kIsoDepth = 8;      // folder levels ISO 9660 allows
constexpr size_t kJolietName = 64;   // characters of a Joliet name
constexpr size_t kJolietPath = 120;  // characters of a Joliet path (240 bytes)

// ISO 9660's names: letters, digits and _ (upper case on the disc), a
// base of up to 8 and an extension of up to 3.
bool iso_characters(const std::string& part) {
  for (const char c : part) {
    const bool ok =
        (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) return false;
  }
  return true;
}

struct NameParts {
  std::string base, extension;
  bool dots_ok;  // at most one dot, and a base before it
};

NameParts parts_of(const std::string& name) {
  const size_t dot = name.find('.');
  NameParts p{name.substr(0, dot), dot == std::string::npos ? "" : name.substr(dot + 1), true};
  p.dots_ok = !p.base.empty() && p.extension.find('.') == std::string::npos;
  return p;
}

}  // namespace

bool is_8_3(const std::string& name) {
  const NameParts p = parts_of(name);
  return p.dots_ok && p.base.size() <= 8 && p.extension.size() <= 3 && iso_characters(p.base) &&
         iso_characters(p.extension);
}

std::string iso_written(const std::string& name) {
  // Mastering tools (xorriso, genisoimage) split at the last dot: "a.b.c"
  // is written "A_B.C".
  const size_t dot = name.rfind('.');
  const NameParts p{name.substr(0, dot), dot == std::string::npos ? "" : name.substr(dot + 1),
                    true};
  const auto written = [](std::string part, size_t most) {
    for (char& c : part) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      if (!iso_characters(std::string(1, c))) c = '_';
    }
    return part.substr(0, most);
  };
  const std::string extension = written(p.extension, 3);
  return written(p.base, 8) + (extension.empty() ? "" : "." + extension);
}

namespace {

constexpr size_t kLevel2Name = 31;  // characters of a name at ISO 9660 level 2 and 3

// Whether the image is mastered beyond ISO 9660's level 1 (level 2 or 3,
// xorriso's default): a name on the way to `folder` is longer than 8.3.
bool beyond_level_1(DiscTree& tree, const std::vector<std::string>& folder) {
  for (size_t depth = 0; depth <= folder.size(); ++depth) {
    const std::vector<std::string> at(folder.begin(),
                                      folder.begin() + static_cast<std::ptrdiff_t>(depth));
    for (const DiscName& entry : tree.names(at).value_or(std::vector<DiscName>())) {
      const NameParts p = parts_of(entry.name);
      if (p.base.size() > 8 || p.extension.size() > 3) return true;
    }
  }
  return false;
}

// Whether a name fits the ISO 9660 names of the image's level.
bool fits_level(const std::string& name, bool level_2) {
  if (!level_2) return is_8_3(name);
  const NameParts p = parts_of(name);
  return p.dots_ok && name.size() <= kLevel2Name && iso_characters(p.base) &&
         iso_characters(p.extension);
}

// Why a name is not one of ISO 9660's at the image's level, and what
// Windows lists instead where the folder holds the name as a mastering
// tool writes it.
std::string not_iso_name(DiscTree& tree, const std::vector<std::string>& folder,
                         const std::string& name, bool level_2) {
  const NameParts p = parts_of(name);
  const bool characters = iso_characters(p.base) && iso_characters(p.extension);
  const bool length = level_2 ? p.dots_ok && name.size() <= kLevel2Name
                              : p.dots_ok && p.base.size() <= 8 && p.extension.size() <= 3;
  std::string why =
      "the image has no Joliet names, so Windows sees only its ISO 9660 names, which hold ";
  if (!characters) why += "letters, digits and _ only (upper case)";
  if (!characters && !length) why += ", and ";
  if (!length && level_2) why += "a name of up to 31 characters with one dot";
  if (!length && !level_2) why += "a name of up to 8 characters with an extension of up to 3";
  why += ", and \"" + name + "\" is not one";
  const std::string written = iso_written(name);
  for (const DiscName& entry : tree.names(folder).value_or(std::vector<DiscName>())) {
    if (same_file_name(entry.name, written)) return why + ": Windows lists \"" + entry.name + "\"";
  }
  return why;
}

// Why the image does not hold the first missing component of `d_path`,
// where it can be told; "" when it cannot.
std::string why_lost(DiscTree& tree, const std::vector<std::string>& parts, size_t missing) {
  const std::vector<std::string> folder(parts.begin(),
                                        parts.begin() + static_cast<std::ptrdiff_t>(missing));
  const std::string& name = parts[missing];
  if (missing >= kIsoDepth) {
    const auto root = tree.names({});
    for (const DiscName& entry : root.value_or(std::vector<DiscName>())) {
      if (same_file_name(entry.name, "RR_MOVED")) {
        return "ISO 9660 allows " + std::to_string(kIsoDepth) +
               " levels of folders, and the mastering tool moved the deeper ones to \\" +
               ansi_text(entry.name);
      }
    }
  }
  const bool level_2 =
      tree.file_system() == DiscFileSystem::kIso9660 && beyond_level_1(tree, folder);
  if (tree.file_system() == DiscFileSystem::kIso9660 && !fits_level(name, level_2)) {
    return not_iso_name(tree, folder, name, level_2);
  }
  size_t path_length = 0;  // of the folder or file that is missing
  for (size_t i = 0; i <= missing; ++i) path_length += 1 + decode_ansi(parts[i]).size();
  if (tree.file_system() == DiscFileSystem::kJoliet && path_length > kJolietPath) {
    return "Joliet paths hold at most " + std::to_string(kJolietPath) +
           " characters, and the mastering tool left this one (" + std::to_string(path_length) +
           ") out of the Joliet tree";
  }
  if (tree.file_system() == DiscFileSystem::kJoliet && decode_ansi(name).size() > kJolietName) {
    const auto names = tree.names(folder);
    for (const DiscName& entry : names.value_or(std::vector<DiscName>())) {
      if (decode_utf8(entry.name) == decode_ansi(name).substr(0, kJolietName)) {
        return "Joliet names hold at most 64 characters, and the mastering tool cut \"" + name +
               "\" to \"" + ansi_text(entry.name) + "\"";
      }
    }
  }
  return "";
}

}  // namespace

void check_lost_name(DiscTree& tree, const std::string& d_path, const std::string& what,
                     TreeCheck& result) {
  const auto full = full_path(d_path);
  if (!full || full->unusable || tree.entry_at(d_path) != Tree::Entry::kMissing) return;
  for (size_t i = 0; i < full->parts.size(); ++i) {
    const std::vector<std::string> prefix(full->parts.begin(),
                                          full->parts.begin() + static_cast<std::ptrdiff_t>(i) + 1);
    if (tree.entry(prefix) != Tree::Entry::kMissing) continue;
    const std::string why = why_lost(tree, full->parts, i);
    if (!why.empty()) {
      result.findings.push_back(finding_about(
          Code::kDiscNameLost,
          what + " " + full->text + " is not on the disc as Windows reads it: " + why +
              ". Master the image with Joliet names that keep it.",
          full->text));
    }
    return;
  }
}

}  // namespace checker
