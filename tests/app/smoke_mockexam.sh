#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Starts the trainer on a real (virtual) X display: the 399 × 300 splash and then the 397 × 293 start screen must be
# mapped, and the program must end cleanly once its main window is closed through the ordinary close path.
# Usage (under xvfb-run): smoke_mockexam.sh path/to/mockexam
set -uo pipefail
exe="$1"

MOCKEXAM_SMOKE_QUIT_AFTER_MS=6000 "$exe" &
pid=$!

# shellcheck source=../support/x11-windows.sh
source "$(dirname "$0")/../support/x11-windows.sh"

await 100 shown " 399x300+" >/dev/null || fail "the splash (399x300) was not mapped"
await 100 shown " 397x293+" >/dev/null || fail "the start screen (397x293) was not mapped"
echo "splash and start screen mapped"

wait "$pid"
rc=$?
[ "$rc" -eq 0 ] || fail "mockexam ended with $rc"
echo "mockexam ended cleanly"
