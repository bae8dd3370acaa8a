#!/usr/bin/env bash
# Installs with cmake --install, builds the .deb with CPack, unpacks it into a
# temporary folder and starts the program from there in a fresh X server.
# Usage: package_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
root=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "package_test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/installed" >/dev/null
for f in bin/tacolina share/applications/tacolina.desktop share/icons/hicolor/scalable/apps/tacolina.svg \
         share/icons/hicolor/48x48/apps/tacolina.png; do
  [ -e "$work/installed/$f" ] || fail "cmake --install did not install $f"
done
desktop-file-validate "$work/installed/share/applications/tacolina.desktop" || fail "invalid .desktop file"

(cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null) || fail "cpack failed"
deb=$(ls "$work"/deb/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "package: $(basename "$deb"); Depends: $depends"
case "$depends" in
  *libqt6widgets6*) ;;
  *) fail "the package does not depend on libqt6widgets6" ;;
esac
dpkg-deb -x "$deb" "$work/unpacked"
[ -x "$work/unpacked/usr/bin/tacolina" ] || fail "no /usr/bin/tacolina in the package"
desktop-file-validate "$work/unpacked/usr/share/applications/tacolina.desktop" || fail "invalid .desktop in the package"

# Start the unpacked program, see its window, close it as a user would.
"$root/scripts/with-x-server.sh" bash -c '
  "$1" & pid=$!
  timeout 20 xdotool search --sync --name "^Tacolina 2.0$" >/dev/null || { kill $pid; echo "no window" >&2; exit 1; }
  xdotool key alt+F4
  wait $pid
' _ "$work/unpacked/usr/bin/tacolina" || fail "the unpacked program did not start and end cleanly"
echo "package_test: installed, packaged, unpacked and ran"
