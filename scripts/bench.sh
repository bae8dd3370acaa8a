#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds and runs the benchmarks, printing every figure the README records.
# Usage: scripts/bench.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}

"$root/scripts/install-deps.sh" build bench
# A build made by run.sh has the benchmarks off; one made by test.sh has
# them on, and keeps its tests.
if ! grep -qx 'TACOLINA_BENCHMARKS:BOOL=ON' "$build/CMakeCache.txt" 2>/dev/null; then
  testing=()
  [ -f "$build/CMakeCache.txt" ] || testing=(-DBUILD_TESTING=OFF)
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTACOLINA_BENCHMARKS=ON "${testing[@]}" >/dev/null
fi
cmake --build "$build" --target tacolina tick_bench memory_bench tick_rate_bench floor_window

echo "== machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), Xvfb $(dpkg-query -W -f='${Version}' xvfb 2>/dev/null)"

echo "== tick cost (offscreen), Google Benchmark"
"$build/bench/tick_bench" --benchmark_min_time=0.5 --benchmark_color=false

echo "== memory"
"$build/bench/memory_bench" 1000000

echo "== tick rate (Xvfb)"
"$root/scripts/with-x-server.sh" "$build/bench/tick_rate_bench" 5

bench=(/usr/bin/python3 -B "$root/bench/screen_bench.py")
echo "== start-up, CPU, and wake-ups shown and minimised (Xvfb)"
"$root/scripts/with-x-server.sh" "${bench[@]}" x11 "$build/src/tacolina" "$build/bench/floor_window" 10

echo "== CPU (sway, headless)"
"${bench[@]}" wayland "$build/src/tacolina" "$build/bench/floor_window" 10

# The web page's, where the build has it (TACOLINA_WEB, on by default
# where clang-19 can build it).
if grep -qx 'TACOLINA_WEB:BOOL=ON' "$build/CMakeCache.txt"; then
  cmake --build "$build" --target web >/dev/null
  echo "== CPU and wake-ups of the web page (Chromium, headless)"
  "${bench[@]}" web "$build/web/site" 10
fi

# The Windows program's, where the build has it (one made by test.sh, which
# installs mingw-w64 and Wine).
if grep -qx 'TACOLINA_WINDOWS:BOOL=ON' "$build/CMakeCache.txt" && command -v wine >/dev/null; then
  cmake --build "$build" --target windows >/dev/null
  echo "== tick rate of the Windows program (Wine, Xvfb)"
  TACOLINA_WINEPREFIX="$build/wine" "$root/scripts/with-x-server.sh" "$root/tests/platform/win32/with-wine.sh" \
    wine "$build/windows/bench/win32/tick_rate_bench.exe" 5 2>/dev/null
  echo "== wake-ups of the Windows program, shown and minimised (Wine, Xvfb)"
  TACOLINA_WINEPREFIX="$build/wine" TACOLINA_BIN="$root/tests/platform/win32/wine-program.sh" \
    TACOLINA_EXE="$build/windows/src/platform/win32/tacolina.exe" "$root/scripts/with-x-server.sh" \
    "$root/tests/platform/win32/with-wine.sh" "${bench[@]}" minimised 10
fi
