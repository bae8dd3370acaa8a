#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command inside a fresh Xvfb server with the openbox window manager,
# then stops both. Usage: with-x-server.sh [--dpi N] COMMAND [ARGS...]
# The screen is 1280x1024 at N dpi (96 unless given); the command sees
# DISPLAY set, and the server's process id in X_SERVER_PID.
set -euo pipefail

dpi=96
if [ "${1:-}" = "--dpi" ]; then
  dpi=$2
  shift 2
fi

runtime_dir=$(mktemp -d)
cleanup() {
  [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$runtime_dir"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to the pipe.
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1280x1024x24 -dpi "$dpi" -nolisten tcp -noreset >"$runtime_dir/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 30 -u "$fd" display || { echo "with-x-server: Xvfb did not start" >&2; cat "$runtime_dir/xvfb.log" >&2; exit 1; }
export DISPLAY=":$display" X_SERVER_PID=$xvfb_pid

# Openbox as installed, but without its minimise animation, which slides the
# window's frame across the screen for a while after it is restored: a test
# would see the window where it passed, not where it came to rest.
sed 's|<animateIconify>yes</animateIconify>|<animateIconify>no</animateIconify>|' /etc/xdg/openbox/rc.xml \
  >"$runtime_dir/openbox-rc.xml"
openbox --sm-disable --config-file "$runtime_dir/openbox-rc.xml" >"$runtime_dir/openbox.log" 2>&1 &
wm_pid=$!
# Wait until the window manager has taken the screen.
for _ in $(seq 100); do
  if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
    break
  fi
  sleep 0.1
done

export XDG_RUNTIME_DIR="$runtime_dir"
"$@"
