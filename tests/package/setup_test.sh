#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The set-up commands as a user without root would type them, in a copy of
# the checkout: with a package missing and sudo at hand, only apt-get goes
# through sudo, for only what is missing; with neither root nor sudo, the
# script says what to install and how; run.sh, test.sh and bench.sh each ask
# apt for their own list only; and the build leaves nothing in the copy owned
# by root. As root, the user is "nobody".
# Usage: setup_test.sh SOURCE_DIR
set -euo pipefail
root=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
fail() { echo "setup_test: $*" >&2; exit 1; }

user=$(id -un)
as_user() { "$@"; }
if [ "$(id -u)" -eq 0 ]; then
  user=nobody
  as_user() { runuser -u nobody -- env HOME="$work/home" "$@"; }
fi
mkdir -p "$work/home" "$work/copy"
(cd "$root" && scripts/source-files.sh | tar -cf - --verbatim-files-from -T -) | tar -xf - -C "$work/copy"
[ "$user" = nobody ] && chown -R nobody "$work/home" "$work/copy"

# Stand-ins: dpkg-query finds every package but wtype; sudo only notes
# what it was asked to run.
fake=$work/fake
mkdir -p "$fake/with-sudo" "$fake/without-sudo"
for dir in with-sudo without-sudo; do
  cat >"$fake/$dir/dpkg-query" <<'STUB'
#!/bin/sh
for last; do :; done
[ "$last" = wtype ] && exit 1
echo "install ok installed"
STUB
done
cat >"$fake/with-sudo/sudo" <<STUB
#!/bin/sh
echo "\$*" >>"$work/sudo.log"
STUB
chmod -R a+rx "$fake"
touch "$work/sudo.log" && chmod 666 "$work/sudo.log"

as_user env PATH="$fake/with-sudo:/usr/bin:/bin" "$work/copy/scripts/install-deps.sh" build test >"$work/out.txt" 2>&1 \
  || { cat "$work/out.txt"; fail "install-deps failed with sudo at hand"; }
expected="env DEBIAN_FRONTEND=noninteractive apt-get update -q
env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends wtype"
[ "$(cat "$work/sudo.log")" = "$expected" ] || { cat "$work/sudo.log"; fail "sudo was asked for more than apt-get"; }

# Without sudo: only the commands the script uses, none of them sudo.
for tool in bash sh env grep id cat apt-get; do ln -s "$(command -v $tool)" "$fake/without-sudo/$tool"; done
if as_user env PATH="$fake/without-sudo" "$work/copy/scripts/install-deps.sh" build test >"$work/out.txt" 2>&1; then
  fail "install-deps succeeded with a package missing and no way to install it"
fi
grep -q "apt-get install .*wtype" "$work/out.txt" || { cat "$work/out.txt"; fail "no word of what to install and how"; }

# Each command with nothing installed: what it asks apt for is its own list
# (apt-get install fails there, which ends the command). Running needs no
# test tool.
mkdir "$fake/none"
printf '#!/bin/sh\nexit 1\n' >"$fake/none/dpkg-query"
printf '#!/bin/sh\necho "$*" >>"%s"\ncase "$*" in *" install "*) exit 1;; esac\n' "$work/asked.log" >"$fake/none/sudo"
chmod a+rx "$fake/none" "$fake/none"/*
words() { tr ' ' '\n' | grep . | sort | sed 's/^/ /' | tr -d '\n'; }
list() { "$work/copy/scripts/install-deps.sh" --list "$@" | words; }
for command in "run.sh build" "test.sh build test" "bench.sh build bench" "serve-web.sh web"; do
  set -- $command
  install -m 666 /dev/null "$work/asked.log"
  ! as_user env PATH="$fake/none:/usr/bin:/bin" "$work/copy/scripts/$1" >"$work/out.txt" 2>&1 \
    || { cat "$work/out.txt"; fail "$1 went on after apt-get install failed"; }
  asked=$(sed -n 's/.* install -y -q --no-install-recommends //p' "$work/asked.log" | words)
  shift
  [ "$asked" = "$(list "$@")" ] || fail "$command: apt was asked for: $asked"
done
for tool in sway xvfb lintian reuse libgtest-dev libbenchmark-dev python3-pyatspi python3-xlib wine \
  g++-mingw-w64-x86-64-posix chromium-headless-shell firefox-esr webkit2gtk-driver clang-19; do
  ! list build | grep -q " $tool\b" || fail "running needs no $tool, yet the build list has it"
done

# The real set-up, as the user: every package is there, so it only builds.
as_user "$work/copy/scripts/setup.sh" "$work/copy/build" tacolina -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBUILD_TESTING=OFF -DTACOLINA_BENCHMARKS=OFF >"$work/out.txt" 2>&1 \
  || { tail -20 "$work/out.txt"; fail "the set-up did not build as $user"; }
[ -x "$work/copy/build/src/tacolina" ] || fail "the set-up built no program"
owned=$(find "$work/copy" -user root | head -5)
[ -z "$owned" ] || fail "owned by root after the set-up: $owned"
echo "setup_test: as $user, sudo ran only apt-get for what was missing; nothing owned by root"
