#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command as the user who typed it: started through sudo, as the user
# who called sudo, so that builds leave nothing owned by root in the checkout
# and no desktop program runs as root; otherwise as is.
# Usage: as-caller.sh COMMAND [ARGS...]
set -euo pipefail
if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
  exec runuser -u "$SUDO_USER" -- "$@"
fi
exec "$@"
