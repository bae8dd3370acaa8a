#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite through
# CTest: once in a normal build, once with the address and undefined
# behaviour sanitizers. Benchmarks are built but not run (see bench.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

jobs=$(nproc)
run_suite() {
  local dir=$1
  shift
  echo "== $dir"
  cmake -S "$root" -B "$root/$dir" -G Ninja "$@" >/dev/null
  cmake --build "$root/$dir" -j "$jobs"
  (cd "$root/$dir" && ctest --output-on-failure -j "$jobs" -LE benchmark)
}

run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ "${TACOLINA_SKIP_SANITIZERS:-0}" != 1 ]; then
  run_suite build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTACOLINA_SANITIZE=ON -DTACOLINA_BENCHMARKS=OFF
fi
