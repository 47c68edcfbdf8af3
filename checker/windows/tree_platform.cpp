// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/windows/tree_platform.h"

#include <cstring>

#include "checker/names/path_rules.h"
#include "checker/windows/releases.h"

namespace checker {

namespace {
constexpr long kNotFound = 2;    // ERROR_FILE_NOT_FOUND
constexpr long kMoreData = 234;  // ERROR_MORE_DATA
}  // namespace

ProfileMarks marks_of(const Release& release) {
  return release.profile == ProfileReaderKind::kBytes ? kWindows9xMarks : kWindowsNtMarks;
}

void TreePlatform::startup_info(uint32_t* flags, uint16_t* show_window) {
  *flags = platform::kStartfUseShowWindow;
  *show_window = 1;  // SW_SHOWNORMAL
}

void TreePlatform::lead_byte_ranges(uint8_t ranges[platform::kLeadByteTableSize]) {
  std::memset(ranges, 0, platform::kLeadByteTableSize);  // code page 1252
}

uint32_t TreePlatform::own_path(char* buffer, uint32_t size) {
  // A launcher on the disc that cannot be read does not start at all.
  if (tree_.on_disc() && tree_.entry_at(kOwnPath) == Tree::Entry::kUnreadable) {
    needed_but_unreadable(kOwnPath);
  }
  const size_t n = std::min<size_t>(own_path_.size(), size - 1);
  std::memcpy(buffer, own_path_.c_str(), n);
  buffer[n] = '\0';
  return static_cast<uint32_t>(n);
}

// The place's own spelling, or the same letters in another case (Windows
// compares names so), then a separator or the end; after a drive alone,
// anything ("E:setup.exe" is taken from the drive's root, where the
// launcher starts), whereas after a folder or a share more letters name
// another folder or share.
std::optional<std::string> TreePlatform::in_tree(const std::string& path) {
  const std::string head = path.substr(0, place_.size());
  if (compare_no_case(head.c_str(), place_.c_str()) != 0) return std::nullopt;
  const bool drive_alone = place_.size() == 2;
  if (!drive_alone && path.size() > place_.size() && path[place_.size()] != '\\' &&
      path[place_.size()] != '/') {
    return std::nullopt;
  }
  return kDriveD + path.substr(place_.size());
}

long TreePlatform::open_user_key(const char*, platform::RegKey* key) {
  *key = this;
  return 0;
}

// RegQueryValueA: the value with its terminator, if it fits. "Control
// Panel\Desktop" is there on every Windows; ResourceLocale may not be.
long TreePlatform::query_value(platform::RegKey, const char*, char* data, long* size) {
  if (!user_.resource_locale) return kNotFound;
  const std::string& value = *user_.resource_locale;
  const long needed = static_cast<long>(value.size()) + 1;
  if (needed > *size) return kMoreData;
  std::memcpy(data, value.c_str(), static_cast<size_t>(needed));
  *size = needed;
  return 0;
}

// lstrcmpiA on the language codes, which are ASCII hex digits; also the
// place against a path, whose letters Windows compares without case.
int TreePlatform::compare_no_case(const char* a, const char* b) {
  for (;; ++a, ++b) {
    const auto x = static_cast<unsigned char>(*a >= 'a' && *a <= 'z' ? *a - 32 : *a);
    const auto y = static_cast<unsigned char>(*b >= 'a' && *b <= 'z' ? *b - 32 : *b);
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
}

void TreePlatform::format_text(char* out, const char* format) { std::strcpy(out, format); }

uint32_t TreePlatform::profile_string(const char* section, const char* key, const char* fallback,
                                      char* out, uint32_t size, const char* named) {
  profile_path = named;
  const std::string file = in_tree(named).value_or("");
  const auto full = full_path(file);
  const std::string where = full ? full->text : file;
  auto found = profiles_.find(where);
  if (found == profiles_.end()) {
    const auto bytes = tree_.read_file(file, Tree::kWholeFile);
    if (!bytes && tree_.entry_at(file) == Tree::Entry::kUnreadable) needed_but_unreadable(where);
    found =
        profiles_.emplace(where, bytes ? std::make_unique<Profile>(*bytes, marks_) : nullptr).first;
  }
  return read_profile_string(found->second.get(), section, key, fallback, out, size);
}

// GetFileAttributesA: a file, not a folder, at any length.
bool TreePlatform::is_file(const char* path) {
  return tree_.entry_at(in_tree(path).value_or("")) == Tree::Entry::kFile;
}

// OpenFile with OF_EXIST: its record holds 128 bytes, so a full path of
// more than 127 characters is not found; nor is a folder.
bool TreePlatform::file_exists(const char* named, char found[platform::kFoundPathSize]) {
  const auto path = in_tree(named);
  tested_path = path.value_or(named);
  if (path && tree_.entry_at(*path) == Tree::Entry::kUnreadable) {
    const auto full = full_path(*path);
    needed_but_unreadable(full ? full->text : *path);
  }
  // Its length counts as spelt from the place.
  const auto full = path ? tree_.find_file(*path) : std::nullopt;
  found_path = full ? place_ + full->substr(2) : "";
  if (!full || found_path.size() >= platform::kFoundPathSize) return false;
  std::memcpy(found, found_path.c_str(), found_path.size() + 1);
  return true;
}

intptr_t TreePlatform::start_program(const char* named, const char* parameters,
                                     const char* /*directory: none, the launcher's*/, int show) {
  const std::string file = in_tree(named).value_or(named);
  const PredictedStart start = predicted_start(tree_, file, *release_);
  starts.push_back({file, parameters, show, start.result, start.note, start.kind});
  return start.result;
}

void TreePlatform::needed_but_unreadable(const std::string& d_path) {
  if (unreadable.empty()) unreadable = d_path;
}

void TreePlatform::message_box(const char* text, uint32_t) { boxes.emplace_back(text); }

}  // namespace checker
