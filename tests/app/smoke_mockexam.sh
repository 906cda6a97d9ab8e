#!/usr/bin/env bash
# Starts the trainer on a real (virtual) X display: the 399 × 300 splash and then the 397 × 293 start screen must be
# mapped, and the program must end cleanly once its main window is closed through the ordinary close path.
# Usage (under xvfb-run): smoke_mockexam.sh path/to/mockexam
set -uo pipefail
exe="$1"

MOCKEXAM_SMOKE_QUIT_AFTER_MS=6000 "$exe" &
pid=$!

# True when a window of the given WxH is mapped on the display.
mapped() {
    local id
    for id in $(xwininfo -root -tree | awk -v size=" $1+" 'index($0, size) { print $1 }'); do
        xwininfo -id "$id" | grep -q 'Map State: IsViewable' && return 0
    done
    return 1
}

wait_mapped() {
    local i
    for i in $(seq 1 100); do
        mapped "$1" && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.05
    done
    return 1
}

fail() {
    echo "FAIL: $*" >&2
    xwininfo -root -tree >&2 || true
    kill "$pid" 2>/dev/null
    exit 1
}

wait_mapped 399x300 || fail "the splash (399x300) was not mapped"
wait_mapped 397x293 || fail "the start screen (397x293) was not mapped"
echo "splash and start screen mapped"

wait "$pid"
rc=$?
[ "$rc" -eq 0 ] || fail "mockexam ended with $rc"
echo "mockexam ended cleanly"
