#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds, and starts Tacolina, as the user who
# typed it: through sudo, it starts it as the user who called sudo.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Only what building and starting need: a new build leaves out the tests and
# the benchmarks; one that test.sh or bench.sh made keeps them. All of it
# is built, the manual page and changelog too, so that cmake --install and
# cpack work on it next.
"$root/scripts/install-deps.sh" build
new=()
[ -f "$root/build/CMakeCache.txt" ] || new=(-DBUILD_TESTING=OFF -DTACOLINA_BENCHMARKS=OFF -DTACOLINA_WINDOWS=OFF)
"$root/scripts/setup.sh" "$root/build" all -DCMAKE_BUILD_TYPE=RelWithDebInfo "${new[@]}"
exec "$root/scripts/as-caller.sh" "$root/build/src/tacolina"
