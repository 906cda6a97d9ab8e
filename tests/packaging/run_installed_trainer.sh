#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the trainer unpacked from the package, under a virtual X display, through /usr/bin/mockexam as a user would:
# the splash and the start screen come up, Alt+S draws a paper from the installed sample bank (so Dat/ is found
# through the link) and shows the choice screen with no error box, and Alt+Q on the start screen ends the program
# with status 0. The program is driven only through X (xdotool); the build's test hook that ends the trainer after a
# delay is switched off by leaving its variable unset, so the run is that of the program as shipped.
# Usage (under xvfb-run): run_installed_trainer.sh ROOT
set -uo pipefail
root="$1"

env -u MOCKEXAM_SMOKE_QUIT_AFTER_MS "$root/usr/bin/mockexam" &
pid=$!

# shellcheck source=../support/x11-windows.sh
source "$(dirname "$0")/../support/x11-windows.sh"

# True while a dialog (a window transient for another: the splash, the busy message, an error box) is on screen.
dialog_shown() {
    local id
    for id in $(xwininfo -root -tree | awk '/^ +0x/ { print $1 }'); do
        viewable "$id" && xprop -id "$id" WM_TRANSIENT_FOR | grep -q 'window id' && return 0
    done
    return 1
}
start_screen_alone() {
    shown " 397x293+" >/dev/null && ! shown " 399x300+" >/dev/null && ! dialog_shown
}
await 300 start_screen_alone || fail "the start screen did not come up alone after the splash"
start=$(shown " 397x293+")
echo "start screen up: $start"

choice_without_error() {
    shown '"选择题' >/dev/null && ! dialog_shown
}
drawn=no
for attempt in 1 2 3 4 5; do
    xdotool windowfocus --sync "$start" key alt+s
    if await 100 choice_without_error; then
        drawn=yes
        break
    fi
done
[ "$drawn" = yes ] || fail "Alt+S did not bring up the choice screen without an error"
echo "paper drawn from the installed bank, choice screen up"

xdotool windowfocus --sync "$start" key alt+q
for i in $(seq 1 200); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
done
kill -0 "$pid" 2>/dev/null && fail "Alt+Q on the start screen did not end the trainer"
wait "$pid"
rc=$?
[ "$rc" -eq 0 ] || fail "the trainer ended with $rc"
echo "trainer ended cleanly"
