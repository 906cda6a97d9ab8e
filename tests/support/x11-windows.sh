# SPDX-License-Identifier: GPL-3.0-or-later

# Looking at the windows of a program under test on an X display, for the real-window test scripts (sourced).
# The script sets `pid` to the program's process id before it calls fail or await.

# Ids of the top-level windows whose line in the window tree holds TEXT (a title or a " WxH+" size).
windows() {
    xwininfo -root -tree | awk -v text="$1" 'index($0, text) { print $1 }'
}
viewable() {
    xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}
# The first viewable window matching TEXT.
shown() {
    local id
    for id in $(windows "$1"); do
        viewable "$id" && echo "$id" && return 0
    done
    return 1
}
fail() {
    echo "FAIL: $*" >&2
    xwininfo -root -tree >&2 || true
    kill "$pid" 2>/dev/null
    exit 1
}
# Polls CONDITION (a command with its arguments) up to N times, 50 ms apart, while the program runs.
await() {
    local n="$1" i
    shift
    for i in $(seq 1 "$n"); do
        "$@" && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.05
    done
    return 1
}
