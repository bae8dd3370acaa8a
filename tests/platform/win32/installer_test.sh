#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tacolina developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes the Windows installer and ZIP with CPack, then, under Wine (run by
# with-wine.sh, in an X server): reads the welcome page in Catalan and walks
# the pages in English with installer_pages.exe, installing for the current
# user and starting the program from the finish page; installs silently for
# the current user over that, in Catalan (and reads the uninstaller's page,
# which must be Catalan too), and for all users; each time checks the files,
# the shortcut and the Apps & features entry (in user.reg or system.reg),
# closes the installed program, uninstalls as Apps & features does and looks
# for anything left.
# Usage: installer_test.sh WINDOWS_BUILD_DIR VERSION APP_ID ICONS_DIR
set -euo pipefail
build=$1
harness=$(cd "$(dirname "$0")/../../screen" && pwd)/session.py
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
# Writes the registry to user.reg and system.reg, which the server keeps in
# memory until it ends.
flush() { wineserver --kill && wineserver --wait && wineserver --persistent; }
# Waits for the prefix's Wine processes whose command line matches $1.
wait_for() {
  for p in $(pgrep -f "$1" || true); do
    if tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      timeout 60 tail --pid="$p" -s 0.1 -f /dev/null || fail "$2"
    fi
  done
}
# Closes the installed program's window, as a user would.
close_program() {
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Tacolina 2\.0$' | head -n 1) || return 1
  timeout 10 xdotool windowactivate --sync "$window" key alt+F4 || fail "could not close the program's window"
}
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
appdata_local=$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')
menu=$(wine cmd /c echo %APPDATA% | tr -d '\r')'\Microsoft\Windows\Start Menu\Programs'
# Where each kind of install goes: $dir (as Windows names it; $2 if given),
# $instdir, $lnk, $key, and $hive, the registry file that holds the entry.
kind() {
  if [ "$1" = CurrentUser ]; then
    dir=${2:-$appdata_local'\Programs\Tacolina'} lnk=$(winepath -u "$menu")/Tacolina\ 2.0.lnk root=HKCU hive=user.reg
  else
    dir='C:\Program Files\Tacolina' lnk=$c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Tacolina\ 2.0.lnk root=HKLM hive=system.reg
  fi
  instdir=$(winepath -u "$dir") key="$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$id"
}
moved=$appdata_local'\Programs\Tacolina2' # where the second install for the current user goes
vendor_key='HKLM\Software\Tacolina developers'
# A run stopped half way may have left an install in the build's prefix.
for k in CurrentUser AllUsers; do
  kind $k
  if [ -n "$(ls -d "$instdir" "$lnk" "$(winepath -u "$moved")" 2>/dev/null)" ] || wine reg query "$key" >/dev/null 2>&1 || wine reg query "$vendor_key" >/dev/null 2>&1; then
    echo "installer_test: removing what an earlier run left installed"
    rm -rf "$instdir" "$lnk" "$(winepath -u "$moved")"
    wine reg delete "$key" /f >/dev/null 2>&1 || true
    wine reg delete "$vendor_key" /f >/dev/null 2>&1 || true
  fi
done
files >"$work/files-before.txt"
registry >"$work/registry-before.txt"

# The pages, read through the dialog's controls, in Catalan and English
# (locales of their own: the system may have neither).
mkdir "$work/locales"
for l in ca_ES en_US; do
  localedef -i $l -f UTF-8 "$work/locales/$l.UTF-8" || fail "localedef could not make $l.UTF-8"
done
# pages LOCALE PAGES PATTERN [PROGRAM ARGUMENTS...]: the lines of the pages
# that match, of the installer unless another program is given.
pages() {
  local lang=$1 n=$2 pattern=$3
  shift 3
  [ $# -gt 0 ] || set -- "$(winepath -w "$installer")"
  LOCPATH=$work/locales LANG=$lang.UTF-8 timeout 150 wine "$build/tests/platform/win32/installer_pages.exe" "$n" "$@" \
    >"$work/pages-$lang.txt" 2>"$work/pages.log" || { cat "$work/pages.log"; fail "installer_pages failed in $lang"; }
  grep -xE "$pattern" "$work/pages-$lang.txt" | tr '\n' '|'
}
[ "$(pages ca_ES 1 "page 1|Benvinguts a l'auxiliar .*")" = "page 1|Benvinguts a l'auxiliar d'instal·lació de l'aplicació Tacolina 2.0|" ] \
  || fail "no Catalan welcome page: $(cat "$work/pages-ca_ES.txt")"
sed -n '/^page 2$/q; s/^\(Benvinguts\|Aquest\)/installer_test: Catalan welcome: &/p' "$work/pages-ca_ES.txt"
# English, all the way, for the current user as offered, leaving the run
# box on the finish page as it is.
start=$(now)
kind CurrentUser
got=$(pages en_US 0 "page .|Welcome to .*|License Agreement|Choose Users|Choose Install Location|Completing .*|\[.\] .*|.:\\\\.*")
[ "$got" = "page 1|Welcome to Tacolina 2.0 Setup|page 2|License Agreement|page 3|Choose Users|[x] Install just for &me|[ ] Install for &anyone using this computer|page 4|Choose Install Location|$dir|page 5|Completing Tacolina 2.0 Setup|[x] &Run Tacolina 2.0|" ] \
  || fail "the pages in English are not welcome, licence, users, folder, finish: $got"
sed -n '/^page 2$/q; s/^\(Welcome\|Setup will\)/installer_test: English welcome: &/p' "$work/pages-en_US.txt"
awk '/^Tacolina 2.0 is free software:/ { exit } on; /^Press Page Down/ { on = 1 }' "$work/pages-en_US.txt" \
  | diff - "$(dirname "$0")/../../../LICENSES/GPL-3.0-or-later.txt" >"$work/licence.diff" \
  || fail "the licence page does not show the GPL as shipped: $(head -n 5 "$work/licence.diff")"
echo "installer_test: pages walked and installed in $(since "$start")"
close_program || fail "the finish page did not start the program"
wait_for 'Programs.Tacolina.tacolina[.]exe' "the program did not end when closed"
files >"$work/files-first.txt"
exe=$instdir/tacolina.exe
echo "installer_test: installer $(stat -c %s "$installer") bytes, ZIP $(stat -c %s "$zip") bytes, tacolina.exe $(stat -c %s "$exe") bytes"
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
# The artwork's images that make up the program's icon.
ico=()
for png in "$icons/$id"-*.png; do holds "$build/src/platform/win32/tacolina.ico" "$png" && ico+=("$png"); done
[ "${#ico[@]}" -gt 0 ] || fail "the program's icon holds none of the artwork's images"
holds "$installer" "${ico[@]}" || fail "the installer does not carry the program's icon"
holds "$instdir/Uninstall.exe" "${ico[@]}" || fail "the uninstaller does not carry the program's icon"

# Each kind of install, silently: for the current user over the one just
# made, into another folder, which must take the place of the first, and in
# Catalan; then for all users, in English.
first=$instdir
for k in CurrentUser AllUsers; do
  if [ $k = CurrentUser ]; then
    kind $k "$moved"
    lang=ca_ES langid=0x403
  else
    kind $k
    lang=en_US langid=0x409
  fi
  start=$(now)
  LOCPATH=$work/locales LANG=$lang.UTF-8 WINEDEBUG=fixme+shell wine "$installer" /S /$k ${first:+"/D=$dir"} 2>"$work/install.log" || fail "the installer failed for $k, status $?"
  echo "installer_test: installed for $k in $(since "$start")"
  [ "$(ls "$instdir" 2>&1 | tr '\n' ' ')" = "COPYING.txt Uninstall.exe tacolina.exe " ] || fail "$dir holds: $(ls "$instdir" 2>&1)"
  if [ -n "$first" ]; then
    [ ! -e "$first" ] || fail "installing again left the first install's folder"
    files | sed 's|/Programs/Tacolina2|/Programs/Tacolina|' | diff -u "$work/files-first.txt" - || fail "installing again left other files than the first time"
    first=
  fi
  [ -f "$lnk" ] || fail "no Start-menu shortcut Tacolina 2.0"
  grep -qaF "$dir\\tacolina.exe" "$lnk" || fail "the shortcut does not lead to the installed program"
  # The taskbar's grouping id, a property of the shortcut. Wine's shell links
  # keep no properties (SetValue is a stub there): then it is enough that the
  # installer set one.
  if ! holds "$lnk" <(printf %s "$id" | iconv -t UTF-16LE); then
    grep -q 'propertystore_SetValue' "$work/install.log" || fail "the shortcut carries no AppUserModelID"
  fi

  for value in "DisplayName=Tacolina 2.0" "DisplayVersion=$version" "Publisher=Tacolina developers" \
               "DisplayIcon=$dir\\tacolina.exe" "InstallLocation=$dir" "Language=$langid" \
               "UninstallString=\"$dir\\Uninstall.exe\" /$k" "QuietUninstallString=\"$dir\\Uninstall.exe\" /$k /S"; do
    got=$(regval "$key" "${value%%=*}")
    [ "$got" = "${value#*=}" ] || fail "the uninstall entry's ${value%%=*} is '$got', not '${value#*=}'"
  done
  size=$(($(regval "$key" EstimatedSize)))
  bytes=$(du -cb "$instdir"/* | tail -n 1 | cut -f 1)
  [ $((bytes / 1024 - size)) -le 1 ] && [ $((size - bytes / 1024)) -le 1 ] \
    || fail "the uninstall entry's EstimatedSize is $size KB, the folder holds $((bytes / 1024)) KB"
  flush
  entry="[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\$id]"
  [ "$(grep -lF "$entry" "$WINEPREFIX/user.reg" "$WINEPREFIX/system.reg")" = "$WINEPREFIX/$hive" ] \
    || fail "the uninstall entry is not in $hive alone"
  [ "$(grep -c '^"DisplayName"="Tacolina 2.0"$' "$WINEPREFIX/$hive")" = 1 ] || fail "not one uninstall entry in $hive"

  # The installed program, started and closed as a user would.
  /usr/bin/python3 -B "$harness" open-close --timeout 60 -- wine "$dir\\tacolina.exe" \
    || fail "the installed program did not show its window, or did not end with status 0 when closed"

  # The uninstaller speaks the installer's language, whatever Windows's now.
  if [ $k = CurrentUser ]; then
    [ "$(pages en_US 1 "Desinstal·la .*" "$dir\\Uninstall.exe" /$k "_?=$dir")" = "Desinstal·la l'aplicació Tacolina 2.0|" ] \
      || fail "the uninstaller does not speak Catalan as the installer did: $(cat "$work/pages-en_US.txt")"
  fi
  # Apps & features runs the uninstall string; the uninstaller copies itself
  # to the Temp folder, starts the copy and returns, and the copy does the
  # work: wait for it to end.
  start=$(now)
  uninstall=$(regval "$key" UninstallString)
  uninstaller=${uninstall#\"}
  wine "${uninstaller%%\"*}" ${uninstall##*\" } /S || fail "the uninstaller failed, status $?"
  wait_for '[~]nsu.*_[?]=' "the uninstaller did not finish"
  echo "installer_test: uninstalled for $k in $(since "$start")"
  # NSIS leaves that copy in Temp for Windows to clear away; clear it here, so
  # that runs do not pile them up in the prefix.
  rm -rf "$c"/users/*/Temp/~nsu*.tmp
  [ ! -e "$instdir" ] || fail "the uninstaller left $dir: $(ls "$instdir")"
  [ ! -e "$lnk" ] || fail "the uninstaller left the Start-menu shortcut"
  ! wine reg query "$key" >/dev/null 2>&1 || fail "the uninstaller left $key"
  ! wine reg query "$vendor_key" >/dev/null 2>&1 || fail "the uninstaller left $vendor_key"
  files | diff -u "$work/files-before.txt" - || fail "the uninstaller left files or folders behind"
  registry | diff -u "$work/registry-before.txt" - || fail "the uninstaller left registry entries behind"
done

echo "installer_test: installed for the current user and for all users, ran, uninstalled leaving nothing behind"
