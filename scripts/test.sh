#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds, and runs the whole test suite through
# CTest: once in a normal build, once with the address and undefined
# behaviour sanitizers. Benchmarks are built but not run (see bench.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/install-deps.sh" build test
jobs=$(nproc)
run_suite() {
  local dir=$1
  shift
  echo "== $dir"
  "$root/scripts/setup.sh" "$root/$dir" all "$@"
  # Through sudo, the tests too run as the user who called it.
  (cd "$root/$dir" && "$root/scripts/as-caller.sh" ctest --output-on-failure -j "$jobs" -LE benchmark)
}

run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DTACOLINA_BENCHMARKS=ON
if [ "${TACOLINA_SKIP_SANITIZERS:-0}" != 1 ]; then
  run_suite build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTACOLINA_SANITIZE=ON -DBUILD_TESTING=ON -DTACOLINA_BENCHMARKS=OFF
fi
