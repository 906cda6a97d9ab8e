#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# The installer under Wine: a silent install (/S) into C:\Program Files\mockexam with its Start-menu entry; the
# installed trainer finds Dat\ beside itself, comes up with its start screen and ends with status 0 on Alt+Q; the
# silent uninstall removes the programs, the bank, the Start-menu entry and the folder.
# Usage (under xvfb-run): wine_installer.sh mockexam-VERSION-setup.exe winlist.exe
set -uo pipefail
setup="$1"
winlist="$2"
run="${MOCKEXAM_WINE_RUN:?}"
# The window tests have a prefix of their own (MOCKEXAM_WINE_PREFIX, set by CTest): the Wine desktop belongs to the
# X display it was first opened on, and the window-free tests may be running in the shared prefix meanwhile.
# Whatever ran in it before (on another display) is ended first.
export MOCKEXAM_WINE_PREFIX="${MOCKEXAM_WINE_PREFIX:?}"
"$run" cmd /c exit 0 >/dev/null 2>&1
WINEPREFIX="$MOCKEXAM_WINE_PREFIX" wineserver -k 2>/dev/null
pid=
fail() {
    echo "FAIL: $*" >&2
    kill "$pid" 2>/dev/null
    exit 1
}
prefix="$MOCKEXAM_WINE_PREFIX"
installed="$prefix/drive_c/Program Files/mockexam"
menu="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
wait_wine() { WINEPREFIX="$prefix" wineserver -w 2>/dev/null || true; }

"$run" "$setup" /S || fail "the silent install ended with $?"
wait_wine
for f in mockexam.exe mockexam-bank.exe Qt6Core.dll platforms/qwindows.dll Dat/Bs.mdb Dat/Mq4100.mdw uninstall.exe; do
    [ -f "$installed/$f" ] || fail "not installed: $f"
done
find "$menu" -name '*.lnk' | grep -q . || fail "no Start-menu entry under $menu"
echo "installed into C:\\Program Files\\mockexam with a Start-menu entry"

windows() { "$run" "$winlist" 2>/dev/null | tr -d '\r'; }
"$run" 'C:\Program Files\mockexam\mockexam.exe' &
pid=$!
up=
for i in $(seq 1 240); do
    windows | awk '$4 == 397 && $5 == 293' | grep -q . && up=yes && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.25
done
[ -n "$up" ] || fail "the installed trainer's start screen did not come up"
xdotool windowfocus --sync "$(xdotool search --name 'Wine desktop' | head -n1)" key alt+q
for i in $(seq 1 120); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.25
done
kill -0 "$pid" 2>/dev/null && fail "Alt+Q did not end the installed trainer"
wait "$pid"
rc=$?
pid=
[ "$rc" -eq 0 ] || fail "the installed trainer ended with $rc"
echo "installed trainer: start screen up, Alt+Q ends it with 0"

"$run" 'C:\Program Files\mockexam\uninstall.exe' /S || fail "the silent uninstall ended with $?"
# The uninstaller copies itself aside and runs from there; the wine server ends when it has.
wait_wine
[ -e "$installed" ] && fail "the uninstaller left $(ls -R "$installed")"
find "$menu" -name '*.lnk' | grep -q . && fail "the Start-menu entry is still there"
echo "uninstalled: folder and Start-menu entry gone"
