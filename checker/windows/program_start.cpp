// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/windows/program_start.h"

#include <optional>

#include "checker/names/path_rules.h"
#include "checker/windows/file_types.h"
#include "checker/windows/ne_installer.h"
#include "checker/windows/releases.h"

namespace checker {

namespace {

constexpr uint16_t kI386 = 0x14C;
constexpr uint16_t kAmd64 = 0x8664;
constexpr uint16_t kArm64 = 0xAA64;
constexpr uint16_t kPe32 = 0x10B;
constexpr uint16_t kPe32Plus = 0x20B;

uint32_t little(const std::string& bytes, size_t at, int width) {
  uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) {
    value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
  }
  return value;
}

// The oldest Windows NT that runs a program of this subsystem version.
std::string oldest_nt(uint32_t major, uint32_t minor) {
  const uint32_t version = major * 100 + minor;
  return version >= 1000  ? "Windows 10"
         : version >= 603 ? "Windows 8.1"
         : version >= 602 ? "Windows 8"
         : version >= 601 ? "Windows 7"
         : version >= 600 ? "Windows Vista"
         : version >= 502 ? "Windows XP x64 or Server 2003"
         : version >= 501 ? "Windows XP"
                          : "Windows 2000";
}

// A DOS or 16-bit Windows program (`what`) as the release runs it.
PredictedStart dos_program(const Release& release, const std::string& what) {
  const bool arm = on_arm(release.width);
  if (release.dos == DosPrograms::kNone) {
    return {kBadFormat, what + (arm ? ", which Windows on Arm does not run"
                                    : ", which 64-bit Windows does not run")};
  }
  if (release.width == Width::kBoth) {
    return {kBadFormat, what + ", which only a 32-bit edition of this Windows runs"};
  }
  if (release.dos == DosPrograms::kOnDemand) {
    return {kStarted,
            what +
                ", which this Windows runs only through NTVDM, an optional feature "
                "that is off out of the box: the user is asked to install it first, which takes an "
                "administrator",
            StartKind::kNeedsFeature};
  }
  return {kStarted, what};
}

// A Windows program the release's loader refuses for its subsystem version.
PredictedStart too_new(const Release& release, uint32_t major, uint32_t minor) {
  const bool for_nt = major >= 5 && release.family == Windows::k9x;
  return {kBadFormat,
          std::string(for_nt ? "a program for Windows NT" : "a program for a newer Windows") +
              " (subsystem version " + std::to_string(major) + "." + std::to_string(minor) +
              "): it needs " + oldest_nt(major, minor) + " or later"};
}

// A 64-bit program the release's processor does not run, where it does not.
std::optional<PredictedStart> refused_processor(const Release& release, bool amd64, bool arm64) {
  const Width w = release.width;
  if (amd64 && w != Width::k64 && w != Width::kArmX64) {
    return PredictedStart{
        kBadFormat,
        w == Width::kBoth  ? "a 64-bit program, which only a 64-bit edition of this Windows runs"
        : w == Width::kArm ? "an x64 program, which Windows 10 on Arm does not run (it emulates "
                             "x86 programs only)"
                           : "a 64-bit program, which runs only on 64-bit Windows"};
  }
  if (arm64 && !on_arm(w)) {
    return PredictedStart{kBadFormat, "an ARM64 program, which runs only on Windows on Arm"};
  }
  return std::nullopt;
}

// A 16-bit installer that 64-bit Windows replaces with its 32-bit port,
// where the release is one that does: it starts there; Windows on Arm has
// no such port. None elsewhere: a 16-bit program as any other.
std::optional<PredictedStart> replaced_16_bit_installer(Tree& tree, const std::string& d_path,
                                                        uint32_t ne, const Release& release) {
  const Width w = release.width;
  const bool arm = on_arm(w);
  if (w != Width::k64 && w != Width::kBoth && !arm) return std::nullopt;
  const auto installer =
      replaced_installer(tree.read_file(d_path, size_t{4} << 20).value_or(""), ne);
  if (!installer) return std::nullopt;
  if (arm) {
    return PredictedStart{kBadFormat, "a 16-bit installer (" + *installer +
                                          "), which Windows on Arm neither runs nor replaces"};
  }
  return PredictedStart{kStarted, "a 16-bit installer (" + *installer +
                                      "), which 64-bit Windows starts as its own 32-bit port"};
}

// A program marked with a subsystem newer than Windows 8's (6.2) and an
// older operating-system version: reported not to start on Windows 10 and
// 11 ("The application was unable to start correctly (0xc000007b)",
// msys2/MINGW-packages#24153, with mingw-w64's default OS version). No
// documentation says what the loader checks; the prediction that warns.
std::optional<PredictedStart> older_os_version(uint32_t subsystem, uint32_t os) {
  if (subsystem <= 602 || os >= subsystem) return std::nullopt;
  return PredictedStart{
      kBadFormat, "a program whose subsystem version (" + std::to_string(subsystem / 100) + "." +
                      std::to_string(subsystem % 100) +
                      ") is newer than its operating-system "
                      "version (" +
                      std::to_string(os / 100) + "." + std::to_string(os % 100) +
                      "), which Windows is reported to refuse (0xc000007b); link it with "
                      "--major-os-version as high as --major-subsystem-version"};
}

// A program file (.exe, .com) by its header.
PredictedStart program(Tree& tree, const std::string& d_path, bool is_com, const Release& release) {
  const auto read = tree.read_file(d_path, 64);
  if (!read) return {kFileNotFound, tree.where() + " but cannot be read", StartKind::kUnreadable};
  const std::string& head = *read;
  const auto dos = [&](const char* what) { return dos_program(release, what); };
  if (head.size() < 2 || head.compare(0, 2, "MZ") != 0) {
    if (is_com && !head.empty()) return dos("a DOS .com program");
    return {kBadFormat, head.empty() ? "empty" : "not a Windows program (no MZ and PE header)",
            StartKind::kNoProgram};
  }
  if (head.size() < 64) {
    return {kBadFormat, "not a Windows program (too short for its header)", StartKind::kNoProgram};
  }
  const uint32_t pe = little(head, 0x3C, 4);
  const std::string image =
      pe > (1u << 20) ? std::string() : tree.read_file(d_path, pe + 24 + 52).value_or("");
  if (image.size() >= pe + 2 && image.compare(pe, 2, "NE") == 0) {
    if (const auto replaced = replaced_16_bit_installer(tree, d_path, pe, release)) {
      return *replaced;
    }
  }
  if (image.size() < pe + 4 || image.compare(pe, 4, std::string("PE\0\0", 4)) != 0) {
    return dos("a DOS or 16-bit Windows program");
  }
  if (image.size() < pe + 24 + 52) {
    return {kBadFormat, "a damaged Windows program", StartKind::kNoProgram};
  }
  const uint32_t machine = little(image, pe + 4, 2);
  const uint32_t magic = little(image, pe + 24, 2);
  const uint32_t major = little(image, pe + 24 + 48, 2);
  const uint32_t minor = little(image, pe + 24 + 50, 2);
  // A 64-bit program is held to the loader's subsystem version as a
  // 32-bit one is: XP x64 loads up to 5.2.
  const bool amd64 = magic == kPe32Plus && machine == kAmd64;
  const bool arm64 = magic == kPe32Plus && machine == kArm64;
  if (const auto refused = refused_processor(release, amd64, arm64)) return *refused;
  if (!amd64 && !arm64 && (magic != kPe32 || machine != kI386)) {
    return {kBadFormat,
            "a program for another processor (machine " + std::to_string(machine) + ")"};
  }
  if (major * 100 + minor > release.newest_subsystem) return too_new(release, major, minor);
  const uint32_t os = little(image, pe + 24 + 40, 2) * 100 + little(image, pe + 24 + 42, 2);
  if (const auto refused = older_os_version(major * 100 + minor, os)) return *refused;
  return {kStarted, ""};
}

}  // namespace

std::string lower_extension(const std::string& path) {
  const size_t dot = path.find_last_of(".\\/");
  if (dot == std::string::npos || path[dot] != '.') return "";
  std::string extension = path.substr(dot);
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return extension;
}

PredictedStart predicted_start(Tree& tree, const std::string& d_path, const Release& release) {
  switch (tree.entry_at(d_path)) {
    case Tree::Entry::kMissing: return {kFileNotFound, "not in the tree"};
    case Tree::Entry::kFolder:
      return {kStarted, "a folder: the shell opens it in Explorer", StartKind::kFolder};
    case Tree::Entry::kUnreadable:
      return {kFileNotFound, tree.where() + " but cannot be read", StartKind::kUnreadable};
    case Tree::Entry::kFile: break;
  }
  // The type is that of the name Windows resolved ("setup.exe." is an .exe).
  const auto full = full_path(d_path);
  const std::string extension = lower_extension(full ? full->text : d_path);
  // A screen saver is a program the shell starts as one.
  if (extension == ".exe" || extension == ".com" || extension == ".scr") {
    return program(tree, d_path, extension == ".com", release);
  }
  return associated_start(extension, release);
}

PredictedStart predicted_process(Tree& tree, const std::string& d_path, const Release& release) {
  PredictedStart start = predicted_start(tree, d_path, release);
  const auto full = full_path(d_path);
  const std::string extension = lower_extension(full ? full->text : d_path);
  if (start.result > 32 && (extension != ".exe" && extension != ".com")) {
    start.result = kBadFormat;
    start.note =
        start.kind == StartKind::kFolder ? "a folder, not a program" : "not a program file";
  }
  return start;
}

}  // namespace checker
