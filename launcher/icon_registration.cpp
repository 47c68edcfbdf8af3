// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "launcher/icon_registration.h"

#include "launcher/text.h"

namespace launcher {

void init_icon_registration(IconRegistration& icon) {
  copy_text(icon.tool_path, kIconToolPath, kPathSize);
  for (char& c : icon.parameters) c = '\0';
  copy_text(icon.parameters, kIconParameterTemplate, kIconParametersSize);
  copy_text(icon.default_group, kDefaultGroup, kGroupSlotSize);
}

void read_group_name(platform::Platform& os, IconRegistration& icon, const LanguageRow& row,
                     const char* profile_path) {
  os.profile_string(kProfileSection, row.group_key, icon.default_group,
                    icon.parameters + kGroupSlot, kGroupSlotSize, profile_path);
}

void run_icon_tool(platform::Platform& os, const IconRegistration& icon) {
  os.start_program(icon.tool_path, icon.parameters, "", platform::kShowMinimized);
}

}  // namespace launcher
