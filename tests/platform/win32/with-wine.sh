#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command with the build's own Wine prefix (made on first use, in
# TACOLINA_WINEPREFIX) at a given screen density, then ends every Wine
# process, so that the next command starts on a display of its own.
# Usage: with-wine.sh [--dpi N] COMMAND [ARGS...]   (N: 96 unless given)
set -euo pipefail
dpi=96
if [ "${1:-}" = "--dpi" ]; then
  dpi=$2
  shift 2
fi
export WINEPREFIX=${TACOLINA_WINEPREFIX:?} WINEDEBUG=-all
# No prompts for Mono and Gecko, no desktop entries written for the user.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot --init >/dev/null 2>&1
  wineserver --wait
fi
# One server for the whole command, so that each program it starts finds
# Wine's own services already running.
wineserver --persistent
trap 'wineserver --kill 2>/dev/null || true' EXIT
# Wine takes the density from here, and scales nothing for the program.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
"$@"
