#!/usr/bin/env bash
# Installs the Debian packages needed to build, test and benchmark Tacolina.
# Safe to run again: it only asks apt for what is not installed yet.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libgtest-dev libbenchmark-dev
  libx11-dev libxtst-dev
  xvfb xauth openbox xdotool x11-utils imagemagick
  desktop-file-utils dpkg-dev file fonts-dejavu-core
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
if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages: ${missing[*]}" >&2
  echo "install-deps: run as root (or: sudo $0) to install them" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
