#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes the Windows installer and ZIP with CPack, then, under Wine (run by
# with-wine.sh, in an X server), installs silently as an administrator
# would, starts and closes the installed program, checks the Apps & features
# entry, uninstalls as Apps & features does and looks for anything left.
# Usage: installer_test.sh WINDOWS_BUILD_DIR VERSION APP_ID ICONS_DIR
set -euo pipefail
build=$1
version=$2
id=$3
icons=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "installer_test: $*" >&2; exit 1; }
trap 'echo "installer_test: line $LINENO failed: $BASH_COMMAND" >&2' ERR
now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.2f s", b - a }'; }
# One value of a registry key, as `reg query` prints it.
regval() { { wine reg query "$1" /v "$2" 2>/dev/null || true; } | tr -d '\r' | sed -n "s/^ *$2 \{4\}REG_[A-Z_]* \{4\}//p"; }
# Whether the file holds each of the other files' bytes.
holds() { python3 -c 'import sys; h = open(sys.argv[1], "rb").read(); sys.exit(not all(open(n, "rb").read() in h for n in sys.argv[2:]))' "$@"; }
# Files of drive C and the registry's lines naming the program, to compare
# before and after; the Temp folders belong to Wine and the programs it ran.
files() { (cd "$WINEPREFIX/drive_c" && find . -iname temp -prune -o -print | sort); }
registry() {
  wine reg export 'HKLM\Software' "$work/hklm.reg" /y >/dev/null
  wine reg export 'HKCU\Software' "$work/hkcu.reg" /y >/dev/null
  cat "$work/hklm.reg" "$work/hkcu.reg" | iconv -f UTF-16 -t UTF-8 | tr -d '\r' | grep -i tacolina || true
}

(cd "$build" && cpack -G "NSIS;ZIP" -B "$work/packages" >"$work/cpack.log") || { cat "$work/cpack.log"; fail "cpack failed"; }
installer=$work/packages/tacolina-$version-win64.exe
zip=$work/packages/tacolina-$version-win64.zip
[ -f "$installer" ] && [ -f "$zip" ] || fail "cpack did not make both $(basename "$installer") and $(basename "$zip")"
file -b "$installer" | grep -q '^PE32+ executable .*x86-64' || fail "the installer is not PE32+: $(file -b "$installer")"

c=$WINEPREFIX/drive_c
instdir=$c/Program\ Files/Tacolina
lnk=$c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Tacolina\ 2.0.lnk
key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$id"
vendor_key='HKLM\Software\Tacolina developers'
# A run stopped half way may have left an install in the build's prefix.
if [ -e "$instdir" ] || [ -e "$lnk" ] || wine reg query "$key" >/dev/null 2>&1 || wine reg query "$vendor_key" >/dev/null 2>&1; then
  echo "installer_test: removing what an earlier run left installed"
  rm -rf "$instdir" "$lnk"
  wine reg delete "$key" /f >/dev/null 2>&1 || true
  wine reg delete "$vendor_key" /f >/dev/null 2>&1 || true
fi
files >"$work/files-before.txt"
registry >"$work/registry-before.txt"

start=$(now)
WINEDEBUG=fixme+shell wine "$installer" /S /AllUsers 2>"$work/install.log" || fail "the installer failed, status $?"
echo "installer_test: installed in $(since "$start")"
exe=$instdir/tacolina.exe
[ "$(ls "$instdir" 2>&1 | tr '\n' ' ')" = "COPYING.txt Uninstall.exe tacolina.exe " ] || fail "C:\\Program Files\\Tacolina holds: $(ls "$instdir" 2>&1)"
echo "installer_test: installer $(stat -c %s "$installer") bytes, tacolina.exe $(stat -c %s "$exe") bytes"

x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\tDLL Name: //p' >"$work/dlls.txt"
[ -s "$work/dlls.txt" ] || fail "objdump found no imports in tacolina.exe"
while read -r dll; do
  case ${dll,,} in
    advapi32.dll | comctl32.dll | comdlg32.dll | dwmapi.dll | gdi32.dll | imm32.dll | kernel32.dll | msvcrt.dll | \
    ole32.dll | oleacc.dll | oleaut32.dll | shcore.dll | shell32.dll | shlwapi.dll | user32.dll | uxtheme.dll | winmm.dll) ;;
    *) fail "tacolina.exe imports $dll, which is not one of Windows's own DLLs" ;;
  esac
done <"$work/dlls.txt"
[ "$(unzip -Z1 "$zip" | sort | tr '\n' ' ')" = "tacolina-$version-win64/COPYING.txt tacolina-$version-win64/tacolina.exe " ] || fail "the ZIP holds: $(unzip -Z1 "$zip")"
unzip -p "$zip" "tacolina-$version-win64/tacolina.exe" | cmp -s - "$exe" || fail "the ZIP's tacolina.exe is not the installed one"
holds "$installer" "$icons/$id"-*.png || fail "the installer does not carry the program's icon"
holds "$instdir/Uninstall.exe" "$icons/$id"-*.png || fail "the uninstaller does not carry the program's icon"

[ -f "$lnk" ] || fail "no Start-menu shortcut Tacolina 2.0"
grep -qaF 'C:\Program Files\Tacolina\tacolina.exe' "$lnk" || fail "the shortcut does not lead to the installed program"
# The taskbar's grouping id, a property of the shortcut. Wine's shell links
# keep no properties (SetValue is a stub there): then it is enough that the
# installer set one.
if ! holds "$lnk" <(printf %s "$id" | iconv -t UTF-16LE); then
  grep -q 'propertystore_SetValue' "$work/install.log" || fail "the shortcut carries no AppUserModelID"
  echo "installer_test: the installer set the shortcut's AppUserModelID; Wine keeps no shortcut properties to check it"
fi

for value in "DisplayName=Tacolina 2.0" "DisplayVersion=$version" "Publisher=Tacolina developers" \
             'DisplayIcon=C:\Program Files\Tacolina\tacolina.exe' 'InstallLocation=C:\Program Files\Tacolina' \
             'UninstallString="C:\Program Files\Tacolina\Uninstall.exe" /AllUsers' \
             'QuietUninstallString="C:\Program Files\Tacolina\Uninstall.exe" /AllUsers /S'; do
  got=$(regval "$key" "${value%%=*}")
  [ "$got" = "${value#*=}" ] || fail "the uninstall entry's ${value%%=*} is '$got', not '${value#*=}'"
done
size=$(($(regval "$key" EstimatedSize)))
bytes=$(du -cb "$instdir"/* | tail -n 1 | cut -f 1)
[ $((bytes / 1024 - size)) -le 1 ] && [ $((size - bytes / 1024)) -le 1 ] \
  || fail "the uninstall entry's EstimatedSize is $size KB, the folder holds $((bytes / 1024)) KB"

# The installed program, started and closed as a user would.
timeout 60 wine 'C:\Program Files\Tacolina\tacolina.exe' &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Tacolina 2\.0$' | head -n 1) \
  || { kill $pid; fail "the installed program showed no window"; }
timeout 10 xdotool windowactivate --sync "$window" key alt+F4 || fail "could not close the program's window"
status=0
wait $pid || status=$?
[ $status -eq 0 ] || fail "the installed program ended with status $status when closed"

# Apps & features runs the uninstall string; the uninstaller copies itself
# to the Temp folder, starts the copy and returns, and the copy does the
# work: wait for it to end.
start=$(now)
uninstall=$(regval "$key" UninstallString)
uninstaller=${uninstall#\"}
wine "${uninstaller%%\"*}" ${uninstall##*\" } /S || fail "the uninstaller failed, status $?"
for copy in $(pgrep -f '[~]nsu.*_[?]=' || true); do
  if tr '\0' '\n' <"/proc/$copy/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
    timeout 60 tail --pid="$copy" -s 0.1 -f /dev/null || fail "the uninstaller did not finish"
  fi
done
echo "installer_test: uninstalled in $(since "$start")"
# NSIS leaves that copy in Temp for Windows to clear away; clear it here, so
# that runs do not pile them up in the prefix.
rm -rf "$c"/users/*/Temp/~nsu*.tmp
[ ! -e "$instdir" ] || fail "the uninstaller left C:\\Program Files\\Tacolina: $(ls "$instdir")"
[ ! -e "$lnk" ] || fail "the uninstaller left the Start-menu shortcut"
! wine reg query "$key" >/dev/null 2>&1 || fail "the uninstaller left $key"
! wine reg query "$vendor_key" >/dev/null 2>&1 || fail "the uninstaller left $vendor_key"
files | diff -u "$work/files-before.txt" - || fail "the uninstaller left files or folders behind"
registry | diff -u "$work/registry-before.txt" - || fail "the uninstaller left registry entries behind"

echo "installer_test: installed, ran, uninstalled leaving nothing behind"
