#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Configures and builds: the set-up behind run.sh and test.sh, once they
# have installed what is missing (install-deps.sh).
# Usage: setup.sh BUILD_DIR TARGET|all [CMAKE_ARGS...]
# Started through sudo, the build runs as the user who called sudo, so that
# nothing in the checkout ends up owned by root.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
target=$2
shift 2

as_caller=("$root/scripts/as-caller.sh")
"${as_caller[@]}" cmake -S "$root" -B "$build" -G Ninja "$@" >/dev/null
"${as_caller[@]}" cmake --build "$build" -j "$(nproc)" --target "$target"
