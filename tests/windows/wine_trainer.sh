#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# The Windows trainer under Wine, in a Wine virtual desktop on Xvfb, driven only through X with xdotool, from a copy
# of the laid-out folder under a folder named 模拟考试: the splash and the start screen come up; the start screen is
# moved by its caption band (Wine asks the program's own hit testing) and keeps its size when dragged by an edge
# (no screen of the trainer is resizable); Alt+S draws a paper from Dat\ and brings up the choice screen; Alt+A
# answers the first question; Escape goes to the fill-in screen. Then a copy without Dat\ shows an error window
# instead of a paper.
# The windows are found with winlist.exe (the window system's own list: under a virtual desktop, Wine's windows
# are not X windows of their own with titles an X tool can rely on).
# Usage (under xvfb-run): wine_trainer.sh LAID_OUT_FOLDER winlist.exe
set -uo pipefail
folder="$1"
winlist="$2"
run="${MOCKEXAM_WINE_RUN:?}"
# The window tests have a prefix of their own (MOCKEXAM_WINE_PREFIX, set by CTest): the Wine desktop belongs to the
# X display it was first opened on, and the window-free tests may be running in the shared prefix meanwhile.
# Whatever ran in it before (on another display) is ended first.
export MOCKEXAM_WINE_PREFIX="${MOCKEXAM_WINE_PREFIX:?}"
"$run" cmd /c exit 0 >/dev/null 2>&1
WINEPREFIX="$MOCKEXAM_WINE_PREFIX" wineserver -k 2>/dev/null
work=$(mktemp -d)
pid=
trap 'kill $pid 2>/dev/null; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    "$run" "$winlist" >&2
    exit 1
}
# "HANDLE LEFT TOP WIDTH HEIGHT FOREGROUND TITLE" of the visible windows.
windows() { "$run" "$winlist" 2>/dev/null | tr -d '\r'; }
# The line of the first window of size WxH, or of the first whose title holds TEXT.
sized() { windows | awk -v w="$1" -v h="$2" '$4 == w && $5 == h { print; exit }'; }
titled() { windows | awk -v t="$1" 'index($0, t) { print; exit }'; }
await() { # N CONDITION...: polls up to N times, a quarter second apart, while the trainer runs
    local n="$1" i out
    shift
    for i in $(seq 1 "$n"); do
        out=$("$@") && [ -n "$out" ] && echo "$out" && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.25
    done
    return 1
}
desktop() { xdotool search --name 'Wine desktop' | head -n1; }
keys() { # focuses the desktop window, then sends the keys
    xdotool windowfocus --sync "$(desktop)" 2>/dev/null
    xdotool key --delay 80 "$@"
}

copy="$work/模拟考试/mockexam"
mkdir -p "$(dirname "$copy")" && cp -r "$folder" "$copy"
"$run" "$copy/mockexam.exe" &
pid=$!

await 240 sized 399 300 >/dev/null || fail "the splash (399x300) did not come up"
start=$(await 240 sized 397 293) || fail "the start screen (397x293) did not come up"
echo "splash and start screen up: $start"
read -r _ x y _ <<<"$start"
d=$(desktop)
# The caption band: moved by dragging it.
xdotool mousemove --window "$d" $((x + 150)) $((y + 8)) mousedown 1 mousemove --window "$d" $((x + 190)) \
    $((y + 48)) mousemove --window "$d" $((x + 200)) $((y + 58)) mouseup 1
sleep 1
moved=$(sized 397 293)
read -r _ x2 y2 _ <<<"$moved"
[ "$x2" -eq $((x + 50)) ] && [ "$y2" -eq $((y + 50)) ] || fail "the caption drag moved the window to $x2,$y2 from $x,$y"
echo "moved by its caption band to $x2,$y2"
# The bottom-right edge: the start screen is not resizable, so a drag leaves its size.
xdotool mousemove --window "$d" $((x2 + 395)) $((y2 + 291)) mousedown 1 mousemove --window "$d" $((x2 + 450)) \
    $((y2 + 350)) mouseup 1
sleep 1
sized 397 293 >/dev/null || fail "a drag on the edge changed the start screen's size"
echo "an edge drag leaves the fixed size"

drawn=
for attempt in 1 2 3; do
    keys alt+s
    drawn=$(await 120 titled 选择题) && break
done
[ -n "$drawn" ] || fail "Alt+S did not bring up the choice screen"
echo "paper drawn from Dat under 模拟考试: $drawn"
keys alt+a
keys Escape
await 80 titled 填空题 >/dev/null || fail "Escape did not bring up the fill-in screen"
echo "fill-in screen up"
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
pid=

# Without Dat: an error window comes up (the message names the missing file) and no choice screen.
nodat="$work/模拟考试/nodat"
cp -r "$folder" "$nodat" && rm -rf "$nodat/Dat"
"$run" "$nodat/mockexam.exe" &
pid=$!
start=$(await 240 sized 397 293) || fail "the start screen (397x293) did not come up without Dat"
keys alt+s
sleep 5
titled 选择题 >/dev/null && fail "a paper was drawn without a bank"
[ "$(windows | wc -l)" -gt 1 ] || fail "no error window came up without a bank"
echo "without Dat: an error window, no paper"
