#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Packs square PNG images into one Windows icon (.ico), each stored as the
# PNG it is, which Windows reads at every size since Vista.
# Usage: make-ico.sh OUT.ico IMAGE.png...
set -euo pipefail
out=$1
shift

# Little-endian bytes, as printf escapes.
le16() { printf '\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)); }
le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }

tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT
# ICONDIR: reserved, type 1 (icon), the number of images.
printf "$(le16 0)$(le16 1)$(le16 $#)" >"$tmp"
offset=$((6 + 16 * $#))
for png in "$@"; do
  # The width sits in the IHDR chunk, big-endian, at byte 16.
  width=$(od -An -tu1 -j16 -N4 "$png" | awk '{print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4}')
  size=$(stat -c %s "$png")
  dim=$((width >= 256 ? 0 : width))  # 0 stands for 256
  # ICONDIRENTRY: width, height, no palette, reserved, 1 plane, 32 bits, size, offset.
  printf "\\x$(printf %02x $dim)\\x$(printf %02x $dim)\\x00\\x00$(le16 1)$(le16 32)$(le32 "$size")$(le32 $offset)" >>"$tmp"
  offset=$((offset + size))
done
cat "$@" >>"$tmp"
mv "$tmp" "$out"
trap - EXIT
