#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages that Tacolina needs for the given purposes:
#   build    building and starting the program (run.sh)
#   test     the test suite, on top of build (test.sh)
#   bench    the benchmarks, on top of build (bench.sh)
#   release  the release tarball and package, on top of build (release.sh)
#   web      building and serving the web page (serve-web.sh)
# Usage: install-deps.sh PURPOSE...    or    install-deps.sh --list PURPOSE...
# (--list prints the packages, one a line, and installs nothing.)
# Safe to run again: it only asks apt for what is not installed yet. As root
# it runs apt-get itself; as a user with sudo, only apt-get runs through
# sudo; with neither, it says what to install and how.
set -euo pipefail

# Every name here is a Debian 12 and 13 package; each list stands alone.
build=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-wayland libgl-dev
  libwayland-dev libxcb1-dev libx11-dev
)
# The Windows program, cross-built, and its installer.
windows=(
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 nsis
)
# The web page, built for WebAssembly with Debian's LLVM 19, and served on
# the loopback by Python's web server.
web=(
  cmake ninja-build python3
  clang-19 lld-19 libc++-19-dev-wasm32 libclang-rt-19-dev-wasm32
)
release=(
  file xz-utils "${windows[@]}" "${web[@]}"
)
test=(
  libgtest-dev libbenchmark-dev python3-xlib
  xvfb xauth openbox xdotool x11-utils imagemagick
  sway grim wtype dbus dbus-bin at-spi2-core python3-pyatspi
  desktop-file-utils dpkg-dev fonts-dejavu-core
  lintian appstream reuse man-db groff-base
  wine unzip
  chromium-headless-shell firefox-esr webkit2gtk-driver
  "${release[@]}"
)
bench=(
  libbenchmark-dev python3-xlib
  xvfb openbox x11-utils
  sway dbus dbus-bin at-spi2-core python3-pyatspi
)

list=0
if [ "${1:-}" = --list ]; then
  list=1
  shift
fi
[ "$#" -gt 0 ] || { echo "usage: install-deps.sh [--list] build|test|bench|release|web..." >&2; exit 2; }
packages=()
declare -A seen=()
for purpose; do
  case $purpose in
    build | test | bench | release | web) declare -n chosen=$purpose ;;
    *) echo "install-deps: no such purpose: $purpose (build, test, bench, release or web)" >&2; exit 2 ;;
  esac
  for p in "${chosen[@]}"; do
    [ -n "${seen[$p]:-}" ] || packages+=("$p")
    seen[$p]=1
  done
  unset -n chosen
done
if [ "$list" -eq 1 ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

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
  echo "install-deps: this script knows only Debian (apt-get); please install: ${missing[*]}" >&2
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
