// SPDX-FileCopyrightText: 2026 The launcher authors
// SPDX-License-Identifier: BSL-1.0
// What the compiler may call on its own in a program without a C runtime.
// Built with -fno-builtin and without loop-to-call rewriting, so these loops
// are not themselves turned back into calls to memset and memcpy.
#include <stddef.h>

extern "C" {

void* memset(void* destination, int value, size_t count) {
  auto* d = static_cast<unsigned char*>(destination);
  while (count-- != 0) *d++ = static_cast<unsigned char>(value);
  return destination;
}

void* memcpy(void* destination, const void* source, size_t count) {
  auto* d = static_cast<unsigned char*>(destination);
  const auto* s = static_cast<const unsigned char*>(source);
  while (count-- != 0) *d++ = *s++;
  return destination;
}

// Referenced by the vtable of an abstract class; never reached.
void __cxa_pure_virtual() { __builtin_trap(); }

}  // extern "C"
