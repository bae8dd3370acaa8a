#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Paints for a moment in a fresh X server and saves the window, frame and all, to docs/screenshot.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ]; then exec "$root/scripts/with-x-server.sh" "$0" "$@"; fi
"$root/build/src/tacolina" & pid=$!
for i in $(seq 50); do xdotool search --name 'Tacolina 2.0' >/dev/null 2>&1 && break; sleep 0.1; done
sleep 0.5
wid=$(xdotool search --name 'Tacolina 2.0' | head -1)
eval $(xdotool getwindowgeometry --shell $wid)
xdotool mousemove $((X+130)) $((Y+130)) click 1
sleep 0.8
xdotool click 1
xdotool mousemove 0 0
sleep 0.3
X=$(xwininfo -id $wid | awk "/Absolute upper-left X/{print \$4}"); Y=$(xwininfo -id $wid | awk "/Absolute upper-left Y/{print \$4}"); ext=$(xprop -id $wid _NET_FRAME_EXTENTS | sed "s/.*= //; s/,//g"); set -- $ext; frame="$((WIDTH+$1+$2))x$((HEIGHT+$3+$4))+$((X-$1))+$((Y-$3))"
import -window root -crop $frame +repage "$root/docs/screenshot.png"
kill $pid
