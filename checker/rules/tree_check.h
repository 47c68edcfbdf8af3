// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// What a check of a tree holds: the facts the rules start from (the tree,
// its profile, the release predicted, each language's launch) and what
// they make of them, the findings a report shows.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "checker/predict/prediction.h"
#include "checker/rules/findings.h"
#include "checker/source/disc/image_tree.h"
#include "checker/source/tree.h"
#include "checker/windows/profile_reader.h"

namespace checker {

// One language's launch and what the rules say of it.
struct LanguageCheck : LanguageLaunch {
  std::vector<Finding> findings;
};

// How far below a drive's root the tree may lie (in a folder or on a
// share) and still start every language that starts from the root: the
// longest root, and the language whose found path decides it.
struct Room {
  size_t characters = 0;
  std::string language;
  std::string found_path;  // as found from D:
};

struct TreeCheck {
  std::string tree;  // the TREE argument, UTF-8
  // Where the launcher is started from ("D:" unless --from says otherwise).
  std::string place = CheckOptions::kDriveD;
  bool place_given = false;
  std::optional<Room> room;  // from D:, where the profile is found and a language starts
  // Where an editor finds the files the findings are about, in a folder:
  // the D: path ("D:\install\quv\win\client.ini") against the host path of
  // the file found ("up/INSTALL/QUV/WIN/CLIENT.INI").
  std::map<std::string, std::string> host_files;
  // The text of the client.ini lines findings are about (UTF-8), by line.
  std::map<int, std::string> profile_lines;
  Medium medium = Medium::kFolder;
  const Release* release = &representative_release(Windows::kNt64);  // the release predicted
  std::map<Windows, LanguageSource> language_source;  // where each family has the language
  std::vector<LanguageSource> release_language;       // where each release has it (kReleases order)
  bool profile_found = false;
  bool profile_unreadable = false;  // listed (or on a disc not read) but cannot be read
  ProfileText profile_text = ProfileText::kAnsi;  // what client.ini's bytes are, when found
  std::vector<Finding> findings;                  // about the tree as a whole
  std::vector<LanguageCheck> languages;
  std::optional<LanguageCheck> unmatched;  // what a locale with no row gets
  // For a disc image: what each release of Windows reads, oldest first, and
  // the UDF revision ("2.01") where the image has UDF.
  std::vector<DiscReading> disc_readings;
  std::string udf_revision;

  // True when every language checked would start its setup program.
  bool all_start() const;
  // Every finding with the language it is about ("" for the tree), in the
  // order found: the tree's, then each language's.
  std::vector<std::pair<std::string, const Finding*>> each_finding() const;
};

// What every rule group starts from: the tree, its profile as the release
// predicted reads it, and the options. The launches a group judges are in
// the check (TreeCheck::languages), made before any group runs.
struct TreeFacts {
  Tree& tree;
  const Release& release;                           // the release predicted
  const std::optional<std::string>& profile_bytes;  // none: no readable client.ini
  const Profile* profile;                           // nullptr: none
  const CheckOptions& options;
  DiscTree* disc;         // the tree as a disc's file system, for the disc's rules; else nullptr
  const TreeOf& tree_of;  // the tree each release reads
};

// A rule group: adds its findings to the check. Every group has this form,
// and they run in any order.
using RuleGroup = void (*)(const TreeFacts&, TreeCheck&);

// "Cannot tell what the launcher does: ... cannot be read", for a file the
// tree lists at `d_path` but cannot read.
Finding unreadable(const Tree& tree, const std::string& d_path);

}  // namespace checker
