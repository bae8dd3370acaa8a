#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds, and starts Tacolina, as the user who
# typed it: through sudo, it starts it as the user who called sudo.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Only what building and starting need: a new build leaves out the tests and
# the benchmarks; one that test.sh or bench.sh made keeps them.
"$root/scripts/install-deps.sh" build
new=()
[ -f "$root/build/CMakeCache.txt" ] || new=(-DBUILD_TESTING=OFF -DTACOLINA_BENCHMARKS=OFF)
"$root/scripts/setup.sh" "$root/build" tacolina -DCMAKE_BUILD_TYPE=RelWithDebInfo "${new[@]}"
exec "$root/scripts/as-caller.sh" "$root/build/src/tacolina"
