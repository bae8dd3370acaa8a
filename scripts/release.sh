#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes a release in dist/: the source tarball tacolina-VERSION.tar.xz (the
# source files as source-files.sh lists them, under tacolina-VERSION/), the
# Debian package, the Windows installer and the Windows ZIP, the web page as
# a ZIP to put on any static web server (index.html at its top), all built
# from that tarball, and SHA256SUMS. The version and
# the date come from CMakeLists.txt; the same sources give the same tarball.
# Usage: release.sh [--tarball] [OUT_DIR]    (--tarball: the tarball only)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tarball_only=0
if [ "${1:-}" = --tarball ]; then
  tarball_only=1
  shift
fi
out=${1:-$root/dist}
fail() { echo "release: $*" >&2; exit 1; }

version=$(sed -n 's/^project(tacolina VERSION \([0-9.]*\) .*/\1/p' "$root/CMakeLists.txt")
date=$(sed -n 's/^set(TACOLINA_RELEASE_DATE \([0-9-]*\))$/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] && [ -n "$date" ] || fail "no version or release date in CMakeLists.txt"
name=tacolina-$version

[ "$tarball_only" -eq 1 ] || "$root/scripts/install-deps.sh" build release
mkdir -p "$out"
out=$(cd "$out" && pwd)
"$root/scripts/source-files.sh" >"$out/.files"
# Sorted names, the release day as every file's time, no owner, no group
# write: nothing of this machine or this checkout ends up in the tarball.
(cd "$root" && tar --create --file=- --format=gnu --mtime="@$(date -u -d "$date" +%s)" \
  --owner=0 --group=0 --numeric-owner --mode=go-w,a+rX --transform="flags=r;s|^|$name/|" \
  --verbatim-files-from --files-from="$out/.files") | xz -9 -T1 >"$out/$name.tar.xz"
rm "$out/.files"
echo "release: $out/$name.tar.xz"
[ "$tarball_only" -eq 0 ] || exit 0

# The packages, built from the tarball by the tarball's own set-up, which
# cross-builds the Windows program beside the Linux one.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tar -xf "$out/$name.tar.xz" -C "$work"
"$work/$name/scripts/setup.sh" "$work/build" all -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBUILD_TESTING=OFF -DTACOLINA_BENCHMARKS=OFF -DTACOLINA_WINDOWS=ON -DTACOLINA_WEB=ON >/dev/null
(cd "$work/build" && cpack -G DEB -B "$work/deb" >/dev/null) || fail "cpack failed for the Debian package"
(cd "$work/build/windows" && cpack -G "NSIS;ZIP" -B "$work/win" >/dev/null) || fail "cpack failed for Windows"
rm -f "$out"/tacolina_*.deb "$out"/tacolina-*-win64.* "$out"/tacolina-*-web.zip
cp "$work"/deb/tacolina_"$version"_*.deb "$work/win/$name-win64.exe" "$work/win/$name-win64.zip" "$out/"
# The site's files at the top of the ZIP, sorted, each dated the release day.
(cd "$work/build/web/site" && LC_ALL=C ls | xargs cmake -E tar cf "$out/$name-web.zip" --format=zip \
  --mtime="$date 00:00:00 UTC" --) || fail "the web page's ZIP could not be made"
size=$(stat -c %s "$out/$name-web.zip")
[ "$size" -le 262144 ] || fail "the web page's ZIP has grown to $size bytes, past 256 KiB"
(cd "$out" && sha256sum "$name.tar.xz" tacolina_"$version"_*.deb "$name-win64.exe" "$name-win64.zip" \
  "$name-web.zip" >SHA256SUMS)
echo "release: $(cd "$out" && echo tacolina_"$version"_*.deb "$name"-win64.* "$name-web.zip") and SHA256SUMS in $out"
