// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// Start-group icon: before setup starts, the tree's icon tool is asked to add
// an icon for a fixed program to the language's program group.
#pragma once

#include <stdint.h>

#include "launcher/launcher.h"
#include "platform/platform.h"

namespace launcher {

constexpr uint32_t kPathSize = 260;
constexpr uint32_t kIconParametersSize = 124;
constexpr char kIconToolPath[] = "d:\\install\\quv\\win\\addiconw.exe";
// The group name is written in place at the slot after "group="; the
// template's "STARTUP" and eight blanks only reserve the room.
constexpr char kIconParameterTemplate[] = "exe=c:\\brumix\\kez.exe desc=KEZ group=STARTUP        ";
constexpr uint32_t kGroupSlot = 37;
constexpr uint32_t kGroupSlotSize = 15;  // 14 characters and the terminator
constexpr char kDefaultGroup[] = "STARTUP";

static_assert(sizeof(kIconParameterTemplate) - 1 == kGroupSlot + kGroupSlotSize);
static_assert(sizeof(kIconParameterTemplate) <= kIconParametersSize);

struct IconRegistration {
  char tool_path[kPathSize];
  char parameters[kIconParametersSize];
  // The default is handed to the profile read in a buffer of our own:
  // Windows 95's reader writes into the default it is given (it cuts
  // trailing blanks by storing a terminator), so a constant would fault.
  char default_group[kGroupSlotSize];
};

// Fills the tool path, the parameter template (the rest zero) and the
// default group name.
void init_icon_registration(IconRegistration& icon);
// Reads the language's group name into the group slot.
void read_group_name(platform::Platform& os, IconRegistration& icon, const LanguageRow& row,
                     const char* profile_path);
// Starts the icon tool minimised; its outcome is of no concern.
void run_icon_tool(platform::Platform& os, const IconRegistration& icon);

}  // namespace launcher
