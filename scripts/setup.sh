#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing and builds: the set-up behind run.sh and test.sh.
# Usage: setup.sh BUILD_DIR TARGET|all [CMAKE_ARGS...]
# Started through sudo, only the package installation keeps root: the build
# runs as the user who called sudo, so that nothing in the checkout ends up
# owned by root.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
target=$2
shift 2

"$root/scripts/install-deps.sh"
as_caller=("$root/scripts/as-caller.sh")
"${as_caller[@]}" cmake -S "$root" -B "$build" -G Ninja "$@" >/dev/null
"${as_caller[@]}" cmake --build "$build" -j "$(nproc)" --target "$target"
