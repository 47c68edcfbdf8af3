// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "launcher/install_drive.h"

namespace launcher {

bool has_install_drive(const char* own_path, uint32_t length) {
  if (length < 2) return false;
  const char letter = own_path[0];
  const bool is_letter = (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
  return is_letter && own_path[1] == ':';
}

}  // namespace launcher
