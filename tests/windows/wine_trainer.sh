#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# The Windows trainer under Wine, in a Wine virtual desktop on Xvfb, driven only through X with xdotool, from a copy
# of the laid-out folder under a folder named 模拟考试, with a bank of known keys in its Dat\ (every choice key A
# for 2 points, every fill-in key 数据库), built by the Linux bank tool: the splash and the start screen come up; the
# start screen is moved by its caption band (Wine asks the program's own hit testing) and keeps its size when
# dragged by an edge (it is a fixed-size window); Alt+S draws a paper and brings up the choice screen; Alt+A answers the first choice question, the 填空题 button leads to the fill-in screen, where
# 数据库 is typed into the first answer box; "交卷" grades the paper: 2 + 2 = 4 on the score sheet; the sheet's
# first question reopens the choice screen in review, which a corner drag resizes; "&Q退出" on the sheet and then on the start screen ends the program with status
# 0. Then a copy without Dat\ shows the message naming the missing bank instead of drawing a paper.
# What a box says and what the sheet scores is text Qt draws, not the window system's: the trainer's road log
# (QT_LOGGING_RULES mockexam.road) tells it. The windows are found with winlist.exe (the window system's own list:
# under a virtual desktop, Wine's windows are not X windows of their own).
# Prints the first paper's time from the start button to the drawn screen, as the trainer's log gives it.
# Usage (under xvfb-run): wine_trainer.sh LAID_OUT_FOLDER winlist.exe LINUX_BANK_TOOL
set -uo pipefail
folder="$1"
winlist="$2"
linux_tool="$3"
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
    echo "--- the trainer's log:" >&2
    cat "$work/road.log" >&2 2>/dev/null
    exit 1
}
# "HANDLE LEFT TOP WIDTH HEIGHT FOREGROUND TITLE" of the visible windows.
windows() { "$run" "$winlist" 2>/dev/null | tr -d '\r'; }
# The line of the first window of size WxH, or of the first whose title holds TEXT.
sized() { windows | awk -v w="$1" -v h="$2" '$4 == w && $5 == h { print; exit }'; }
titled() { windows | awk -v t="$1" 'index($0, t) { print; exit }'; }
logged() { tr -d '\r' <"$work/road.log" | grep -m1 -F -- "$1"; }
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
# click WINDOW_LINE DX DY: a click at DX,DY inside the window that the winlist line describes.
click() {
    local _h x y
    read -r _h x y _ <<<"$1"
    xdotool mousemove --window "$(desktop)" $((x + $2)) $((y + $3)) click 1
    sleep 0.5
}
front() { # brings the window of the winlist line to the front
    local h
    read -r h _ <<<"$1"
    "$run" "$winlist" activate "$h" >/dev/null 2>&1
    sleep 0.5
}
# drag WINDOW_LINE DX DY BY_X BY_Y: presses at DX,DY inside the window and lets go BY_X,BY_Y further on.
drag() {
    local _h x y d
    read -r _h x y _ <<<"$1"
    d=$(desktop)
    xdotool mousemove --window "$d" $((x + $2)) $((y + $3)) mousedown 1 \
        mousemove --window "$d" $((x + $2 + $4 / 2)) $((y + $3 + $5 / 2)) \
        mousemove --window "$d" $((x + $2 + $4)) $((y + $3 + $5)) mouseup 1
    sleep 1
}
# start FOLDER: the trainer of that folder, its road log in $work/road.log.
start() {
    : >"$work/road.log"
    QT_LOGGING_RULES="mockexam.road.info=true" QT_FORCE_STDERR_LOGGING=1 \
        QT_MESSAGE_PATTERN="%{time process} %{message}" "$run" "$1/mockexam.exe" 2>"$work/road.log" &
    pid=$!
}

# A bank whose keys the road knows, in a Dat\ beside the trainer, under a Chinese folder name.
sources="$work/sources"
mkdir -p "$sources"
{
    echo "mkid,tid,Timu,ANSWER_A,ANSWER_B,ANSWER_C,ANSWER_D,Key,ANALYSIS,ZHISHIDIAN,Score"
    for tid in $(seq 1 55); do
        m=$(((tid - 1) / 11 + 1))
        echo "$m,$tid,第${tid}题（模块$m）,甲$tid,乙$tid,丙$tid,丁$tid,A,解析$tid,0${m}001,2"
    done
} >"$sources/choose.csv"
{
    echo "MKID,TID,TiMu,KEY,ZHISHIDIAN"
    for fid in $(seq 1 10); do
        echo "$(((fid - 1) / 2 + 1)),$fid,填空第${fid}题：【1】,数据库,知识点$fid"
    done
} >"$sources/Fill.csv"
{
    echo "recno,Keyword,knowladge"
    for m in 1 2 3 4 5; do echo "0${m}001,关键词$m,说明$m"; done
} >"$sources/tzhishidian.csv"
copy="$work/模拟考试/mockexam"
mkdir -p "$(dirname "$copy")" && cp -r "$folder" "$copy" && rm -rf "$copy/Dat"
"$linux_tool" build "$sources" "$copy/Dat" >/dev/null || fail "the Linux bank tool could not build the road's bank"

start "$copy"
await 240 sized 399 300 >/dev/null || fail "the splash (399x300) did not come up"
start_screen=$(await 240 sized 397 293) || fail "the start screen (397x293) did not come up"
echo "splash and start screen up: $start_screen"
read -r _ x y _ <<<"$start_screen"
# The caption band (below the title, beside the menu bar): moved by dragging it.
drag "$start_screen" 150 46 50 50
moved=$(sized 397 293)
read -r _ x2 y2 _ <<<"$moved"
[ "$x2" -eq $((x + 50)) ] && [ "$y2" -eq $((y + 50)) ] || fail "the caption drag moved the window to $x2,$y2 from $x,$y"
echo "moved by its caption band to $x2,$y2"
# The bottom-right edge: the start screen has a fixed size, so a drag leaves it.
drag "$moved" 395 291 55 59
sized 397 293 >/dev/null || fail "a drag on the edge changed the start screen's size"
echo "an edge drag leaves the fixed size of the start screen"
# The drag let go outside the window: a click on its panel gives it the keyboard back, as a user would.
click "$moved" 60 120

choice=
for attempt in 1 2 3; do
    keys alt+s
    choice=$(await 120 titled 选择题) && break
done
[ -n "$choice" ] || fail "Alt+S did not bring up the choice screen"
await 40 logged "paper drawn" >/dev/null || fail "the trainer did not log the drawn paper"
echo "paper drawn from Dat under 模拟考试: $choice"
awk '/exam started/ { s = $1 } /paper drawn/ { printf "first paper, start to drawn screen: %.0f ms\n", ($1 - s) * 1000 }' \
    "$work/road.log"

keys alt+a
# The 填空题 button, in the time box at the right.
click "$choice" 474 169
fill=$(await 80 titled 填空题) || fail "the 填空题 button did not bring up the fill-in screen"
echo "fill-in screen up"
# The first answer box has the keyboard. Chinese text comes as an input method gives it, whole characters: typed
# keys carry no Chinese under Wine without one, so the X clipboard hands them over and Ctrl+V puts them in.
printf '数据库' | xclip -selection clipboard
keys ctrl+a ctrl+v
sleep 1
# "交卷" on the fill-in screen.
click "$fill" 518 107
sheet=$(await 80 titled 评分) || fail "交卷 did not bring up the score sheet"
graded=$(await 40 logged "graded:") || fail "the score sheet did not log the grade"
echo "score sheet: ${graded#* }"
[[ "$graded" == *"graded: choice 2, fill 2, total 4" ]] || fail "expected choice 2, fill 2, total 4: $graded"

# The sheet's first choice question reopens in review on the choice screen.
click "$sheet" 57 149
await 40 titled 选择题 >/dev/null || fail "the sheet's first question did not reopen the choice screen"
echo "question 1 reopened in review"
# The choice screen is resizable: its bottom-right corner makes it larger.
choice=$(titled 选择题)
read -r _ _ _ cw ch _ <<<"$choice"
drag "$choice" $((cw - 2)) $((ch - 2)) 40 30
choice=$(titled 选择题)
read -r _ _ _ cw2 ch2 _ <<<"$choice"
[ "$cw2" -gt "$cw" ] && [ "$ch2" -gt "$ch" ] || fail "the corner drag left the choice screen ${cw2}x$ch2 (was ${cw}x$ch)"
echo "resized by its corner from ${cw}x$ch to ${cw2}x$ch2"

# "&Q退出" on the sheet, then on the start screen: the program ends. (The review may cover either window: each is
# brought to the front first.)
sheet=$(titled 评分) || fail "the score sheet went away"
front "$sheet"
keys alt+q
await 40 sized 397 293 >/dev/null || fail "the start screen is not up after the sheet's 退出"
for attempt in 1 2 3; do
    front "$(sized 397 293)"
    click "$(sized 397 293)" 60 120
    keys alt+q
    for i in $(seq 1 40); do
        kill -0 "$pid" 2>/dev/null || break 2
        sleep 0.25
    done
done
kill -0 "$pid" 2>/dev/null && fail "&Q退出 on the start screen did not end the trainer"
wait "$pid"
rc=$?
pid=
[ "$rc" -eq 0 ] || fail "the trainer ended with status $rc"
echo "&Q退出 twice: the trainer ended with status 0"

# Without Dat: the message names the missing file, and no choice screen comes up.
nodat="$work/模拟考试/nodat"
cp -r "$folder" "$nodat" && rm -rf "$nodat/Dat"
start "$nodat"
await 240 sized 397 293 >/dev/null || fail "the start screen (397x293) did not come up without Dat"
keys alt+s
message=$(await 80 logged "message:") || fail "no message came up without a bank"
echo "without Dat: $message"
# (The log is in the system's 8-bit code page, which has no Chinese here: the path is what can be read.)
[[ "$message" == *nodat\\Dat* ]] || fail "the message does not name the bank's folder"
[ "$(windows | wc -l)" -gt 1 ] || fail "no message window came up without a bank"
logged "paper drawn" >/dev/null && fail "a paper was drawn without a bank"
echo "without Dat: a message naming the bank, no paper"
