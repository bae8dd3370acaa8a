#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tacolina.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target tacolina
exec "$root/build/src/tacolina"
