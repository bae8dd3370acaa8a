#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages needed to build, test and benchmark Tacolina.
# Safe to run again: it only asks apt for what is not installed yet. As root
# it runs apt-get itself; as a user with sudo, only apt-get runs through
# sudo; with neither, it says what to install and how.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-wayland libgl-dev libwayland-dev
  libgtest-dev libbenchmark-dev
  libx11-dev libxtst-dev
  xvfb xauth openbox xdotool x11-utils imagemagick
  sway grim wtype dbus dbus-bin at-spi2-core python3-pyatspi
  desktop-file-utils dpkg-dev file fonts-dejavu-core
  lintian appstream reuse man-db groff-base
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

if ! command -v apt-get >/dev/null 2>&1 || [ ! -f /etc/debian_version ]; then
  echo "install-deps: this script knows only Debian and Ubuntu (apt-get); please install: ${missing[*]}" >&2
  exit 1
fi
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
  echo "install-deps: installing the missing packages with sudo: ${missing[*]}"
else
  echo "install-deps: missing packages: ${missing[*]}" >&2
  echo "install-deps: install them as root, then run this again:" >&2
  echo "  apt-get update && apt-get install --no-install-recommends ${missing[*]}" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
