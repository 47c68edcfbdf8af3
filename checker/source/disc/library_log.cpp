// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
#include "checker/source/disc/library_log.h"

#include <cdio/logging.h>

#include <cstdarg>
#include <cstdio>

#include "checker/source/disc/udfread_log_hook.h"
#undef fprintf

namespace checker {

namespace {

std::string& newest_message() {
  static std::string message;
  return message;
}

void keep(const char* text) {
  std::string line = text;
  while (!line.empty() && (line.back() == '\n' || line.back() == ' ')) line.pop_back();
  newest_message() = line.substr(0, 200);
}

// Never exits, never prints: libcdio's default handler does both.
void cdio_message(cdio_log_level_t level, const char message[]) {
  if (level >= CDIO_LOG_WARN && message != nullptr) keep(message);
}

}  // namespace

void route_library_logs() {
  static const bool routed = [] {
    cdio_log_set_handler(cdio_message);
    return true;
  }();
  (void)routed;
}

std::string take_library_message() {
  std::string message;
  message.swap(newest_message());
  return message;
}

}  // namespace checker

extern "C" int checker_udfread_log(FILE*, const char* format, ...) {
  char text[256];
  va_list arguments;
  va_start(arguments, format);
  const int length = std::vsnprintf(text, sizeof(text), format, arguments);
  va_end(arguments);
  checker::keep(text);
  return length;
}
