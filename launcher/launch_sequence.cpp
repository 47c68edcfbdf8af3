// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "launcher/launch_sequence.h"

#include "launcher/command_line.h"
#include "launcher/icon_registration.h"
#include "launcher/launcher.h"
#include "launcher/text.h"
#include "launcher/tree_root.h"

namespace launcher {

namespace {

// Every text of a run, in fixed buffers; nothing is allocated.
struct Buffers {
  char own_path[kPathSize];
  char profile_path[kProfilePathSize];
  char default_setup_path[kPathSize];
  char setup_path[kPathSize];
  char locale[kLocaleSize];
  char found_path[platform::kFoundPathSize];
  char message[kMessageSize];
  IconRegistration icon;
};

void fill(Buffers& b) {
  // The own path is read by the length its read returns; a failed read
  // returns 0, and the buffer stays empty.
  b.own_path[0] = b.own_path[1] = '\0';
  copy_text(b.profile_path, kProfilePath, kProfilePathSize);
  copy_text(b.default_setup_path, kDefaultSetupPath, kPathSize);
  copy_text(b.setup_path, kDefaultSetupPath, kPathSize);
  b.found_path[0] = '\0';
  init_icon_registration(b.icon);
}

// The tree's root, as the length of the own path's beginning that names it,
// with the profile path moved onto it; 0 when the own path has no root. The
// own folder is the root where it holds the profile (a copy of the tree in
// a folder, on a share, in a deployment tool's cache); otherwise, the drive
// or the share the launcher was started from.
uint32_t find_tree_root(platform::Platform& os, Buffers& b, uint32_t own_length) {
  const uint32_t drive = drive_or_share_length(b.own_path, own_length);
  if (drive == 0) return 0;
  // A path that filled the buffer was cut: its folder is not known.
  const uint32_t folder = own_length < kPathSize ? own_folder_length(b.own_path, own_length) : 0;
  if (folder > drive && rebase(b.profile_path, kProfilePathSize, b.own_path, folder) &&
      os.is_file(b.profile_path)) {
    return folder;
  }
  copy_text(b.profile_path, kProfilePath, kProfilePathSize);
  return rebase(b.profile_path, kProfilePathSize, b.own_path, drive) ? drive : 0;
}

}  // namespace

int exit_status_for_launch(intptr_t result) {
  if (result > 32) return kExitStarted;
  if (result == 0) return kExitOutOfMemory;
  return static_cast<int>(result);
}

// Flattened: where the platform's type is known (the Windows program), its
// calls are inlined into the sequence instead of staying small functions of
// their own, which keeps the shipped file within its size.
[[gnu::flatten]] int run_launch_sequence(platform::Platform& os, const char* tail, int show) {
  Buffers b;
  fill(b);

  const uint32_t own_length = os.own_path(b.own_path, kPathSize);
  const uint32_t root = find_tree_root(os, b, own_length);
  if (root == 0) return kExitFailed;
  const bool icon_tool_fits = rebase(b.icon.tool_path, kPathSize, b.own_path, root);

  platform::RegKey key = nullptr;
  if (read_resource_locale(os, b.locale, &key) != LocaleRead::kOk &&
      display_language_as_locale(os, b.locale) != LocaleRead::kOk) {
    return kExitFailed;
  }
  const LanguageRow* row = select_language(os, b.locale);
  if (row == nullptr) {
    os.format_text(b.message, kNoLanguageMessage);
    os.message_box(b.message, platform::kMessageBoxStop);
    return kExitFailed;
  }

  // The default is passed as stored, still on drive D; the rebase below
  // moves whatever the read left in the buffer. A value shorter than two
  // characters thus leaves the default's remainder: the default on the
  // install drive.
  os.profile_string(kProfileSection, row->setup_key, b.default_setup_path, b.setup_path, kPathSize,
                    b.profile_path);
  read_group_name(os, b.icon, *row, b.profile_path);
  if (icon_tool_fits) run_icon_tool(os, b.icon);
  // A path too long for its buffer is not cut: that setup program is not there.
  const bool setup_fits = rebase(b.setup_path, kPathSize, b.own_path, root);
  if (key != nullptr) os.close_key(key);

  if (!setup_fits || !os.file_exists(b.setup_path, b.found_path)) return kExitFailed;
  return exit_status_for_launch(os.start_program(b.found_path, tail, "", show));
}

[[gnu::flatten]] int launcher_main(platform::Platform& os) {
  uint8_t lead_bytes[platform::kLeadByteTableSize] = {};
  os.lead_byte_ranges(lead_bytes);
  const char* tail = command_line_tail(os.command_line(), lead_bytes);
  uint32_t flags = 0;
  uint16_t show_window = 0;
  os.startup_info(&flags, &show_window);
  return run_launch_sequence(os, tail, show_state(flags, show_window));
}

}  // namespace launcher
