#!/bin/sh
# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
# Applies each patch given, in order, to the source tree in the current
# folder, once: a patch the tree already holds (a build that reuses it) is
# left as it is.
set -e
for p in "$@"; do
  if patch -p1 -R -s -f --dry-run -i "$p" >/dev/null 2>&1; then
    continue
  fi
  patch -p1 -s -f -i "$p"
done
