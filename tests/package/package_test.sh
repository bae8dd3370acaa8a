#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs with cmake --install, builds the .deb with CPack, checks both as a
# distribution would (lintian, AppStream, the desktop entry, the manual
# page, REUSE), starts the unpacked program in a fresh X server, and, as
# root on a machine without the package, installs and purges it with apt.
# Then the same test, from the release tarball unpacked where there is no
# git: there it builds what it needs and runs its own copy of this test.
# Usage: package_test.sh BUILD_DIR SOURCE_DIR APP_ID VERSION
#        package_test.sh --untouched SOURCE_DIR LIST_BEFORE
# --untouched, run after every other test, fails if the source tree holds
# files it did not: git shows nothing untracked outside the build folders,
# or, without git, source-files.sh lists what it listed when configured.
set -euo pipefail
if [ "${1:-}" = --untouched ]; then
  if [ "$(git -C "$2" rev-parse --show-toplevel 2>/dev/null)" = "$(cd "$2" && pwd -P)" ]; then
    stray=$(git -C "$2" status --porcelain --ignored | grep -E '^(\?\?|!!) ' | grep -v -E '^!! (build[^/]*|dist|\.cache)/$' || true)
  else
    stray=$("$2/scripts/source-files.sh" | LC_ALL=C comm -13 "$3" -)
  fi
  [ -z "$stray" ] || { printf '%s\n' "$stray" >&2; echo "package_test: the tests left the files above in $2" >&2; exit 1; }
  echo "package_test: the source tree holds only what it held before the tests"
  exit 0
fi
build=$1
root=$2
id=$3
version=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "package_test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/installed" >/dev/null
(cd "$work/installed" && find . -type f | sed 's|^\./||' | sort) >"$work/installed.txt"
for f in bin/tacolina share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png \
         share/man/man1/tacolina.1.gz share/doc/tacolina/copyright share/doc/tacolina/changelog.gz; do
  grep -qx "$f" "$work/installed.txt" || fail "cmake --install did not install $f"
done

(cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null) || fail "cpack failed"
deb=$(ls "$work"/deb/*.deb)
echo "package: $(basename "$deb")"
dpkg-deb -f "$deb" Version Section Depends Recommends
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package is not version $version"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "the package does not depend on libqt6widgets6"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./usr/||' | sort >"$work/packaged.txt"
diff -u "$work/installed.txt" "$work/packaged.txt" || fail "cmake --install and the package install different files"
dpkg-deb -x "$deb" "$work/unpacked"
usr=$work/unpacked/usr

# As a distribution checks it: errors and warnings fail; what lintian says
# at the info and pedantic levels is shown.
lintian --pedantic --info --fail-on error,warning "$deb" 2>&1 | grep -v 'running with root privileges' \
  || [ "${PIPESTATUS[0]}" -eq 0 ] || fail "lintian reports errors or warnings"
# AppStream: nothing to report, down to pedantic hints. Only one note is
# expected, from appstream before 1.0 (Debian 12), which does not know the
# <developer> tag yet.
appstream=$(appstreamcli validate --pedantic --no-net "$usr/share/metainfo/$id.metainfo.xml" 2>&1) \
  || { echo "$appstream"; fail "invalid AppStream metainfo"; }
expected='Validation was successful'
appstreamcli --version | grep -q 'version: 0\.' && expected="$expected|^I: $id:[0-9]+: unknown-tag developer\$"
reported=$(echo "$appstream" | grep -v -E "$expected" || true)
[ -z "$reported" ] || fail "appstreamcli reports: $reported"
desktop-file-validate "$usr/share/applications/$id.desktop" || fail "invalid desktop entry"
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
  "$usr/share/man/man1/tacolina.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the manual page renders with warnings: $warnings"
# REUSE over the source files alone, not whatever else lies in the tree.
mkdir "$work/sources"
(cd "$root" && scripts/source-files.sh | tar -cf - --verbatim-files-from -T -) | tar -xf - -C "$work/sources"
reuse --root "$work/sources" lint >"$work/reuse.txt" 2>&1 || { cat "$work/reuse.txt"; fail "reuse lint fails"; }

# One version everywhere.
grep -q "<release version=\"$version\"" "$usr/share/metainfo/$id.metainfo.xml" || fail "metainfo release is not $version"
zcat "$usr/share/man/man1/tacolina.1.gz" | grep -q "^\.TH TACOLINA 1 .*\"Tacolina $version\"" || fail "manual page is not $version"
zcat "$usr/share/doc/tacolina/changelog.gz" | head -1 | grep -q "^tacolina ($version)" || fail "changelog is not $version"

# Start the unpacked program, see its window, close it as a user would.
"$root/scripts/with-x-server.sh" /usr/bin/python3 -B "$root/tests/screen/session.py" open-close --timeout 20 \
  -- "$usr/bin/tacolina" || fail "the unpacked program did not start and end cleanly"

if [ "$(id -u)" -eq 0 ] && ! dpkg-query -W tacolina >/dev/null 2>&1; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -q "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt could not install the package"; }
  dpkg-query -L tacolina | while read -r path; do if [ -f "$path" ]; then echo "$path"; fi; done | sort >"$work/owned.txt"
  sed 's|^|/usr/|' "$work/packaged.txt" | diff -u - "$work/owned.txt" || fail "apt installed other files than the package holds"
  apt-get purge -y -q tacolina >>"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt could not remove the package"; }
  left=$(while read -r path; do if [ -e "$path" ]; then echo "$path"; fi; done <"$work/owned.txt")
  [ -z "$left" ] || fail "purging the package left: $left"
  [ ! -e /usr/share/doc/tacolina ] || fail "purging the package left /usr/share/doc/tacolina"
  echo "package_test: installed and purged with apt, nothing left"
fi

# The release tarball: the same twice over, exactly the source files, and,
# unpacked without .git and with git failing, its own package test passes.
if [ -z "${TACOLINA_TEST_FROM_TARBALL:-}" ]; then
  "$root/scripts/release.sh" --tarball "$work/dist" >/dev/null
  "$root/scripts/release.sh" --tarball "$work/again" >/dev/null
  tarball=$work/dist/tacolina-$version.tar.xz
  cmp -s "$tarball" "$work/again/tacolina-$version.tar.xz" || fail "two tarballs of the same sources differ"
  tar -tf "$tarball" | sed "s|^tacolina-$version/||" | diff -u <("$root/scripts/source-files.sh") - \
    || fail "the tarball does not hold exactly the source files"
  mkdir "$work/release" "$work/no-git"
  tar -xf "$tarball" -C "$work/release"
  printf '#!/bin/sh\necho "git: not here" >&2\nexit 127\n' >"$work/no-git/git"
  chmod +x "$work/no-git/git"
  env PATH="$work/no-git:$PATH" TACOLINA_TEST_FROM_TARBALL=1 bash -c '
    cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTACOLINA_BENCHMARKS=OFF &&
    cmake --build "$2" --target tacolina compressed_docs && cd "$2" && ctest --output-on-failure -R "^package$"
  ' _ "$work/release/tacolina-$version" "$work/release-build" >"$work/release.log" 2>&1 \
    || { tail -40 "$work/release.log"; fail "the package test fails from the release tarball"; }
  echo "package_test: from the release tarball, without git, the package test passes"
fi
echo "package_test: installed, packaged, checked, unpacked and ran"
