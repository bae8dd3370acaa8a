#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Prints the source files, one path a line relative to the top folder, sorted:
# those git tracks when this is a git work tree and git is at hand; otherwise
# (an unpacked release tarball) every file but what .gitignore leaves out.
# What lints, copies and releases the sources reads this list, never
# whatever else lies in the tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
cd "$root"
if command -v git >/dev/null 2>&1 &&
  [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$root" ]; then
  git ls-files | LC_ALL=C sort
else
  # Keep in step with .gitignore.
  find . \( -path ./.git -o -path './build*' -o -path ./dist -o -path ./.cache \) -prune \
    -o \( -type f -o -type l \) ! -name compile_commands.json -print | sed 's|^\./||' | LC_ALL=C sort
fi
