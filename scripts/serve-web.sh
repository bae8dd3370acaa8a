#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds the web page (the `web` preset, into
# build-web/site) and serves it on the loopback until Ctrl+C. A page opened
# from a file cannot load its WebAssembly: it must come from a web server.
# Usage: serve-web.sh [PORT]    (8000 unless told)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
port=${1:-8000}

"$root/scripts/install-deps.sh" web
cd "$root"
"$root/scripts/as-caller.sh" cmake --preset web >/dev/null
"$root/scripts/as-caller.sh" cmake --build --preset web
echo "serve-web: open http://127.0.0.1:$port/ in a browser (Ctrl+C stops the server)"
# Python's server gives .wasm files the type application/wasm that
# browsers ask of WebAssembly.
exec "$root/scripts/as-caller.sh" python3 -m http.server --bind 127.0.0.1 --directory "$root/build-web/site" "$port"
