#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# The desktop entry and the AppStream metadata pass Debian's validators, and the icon theme holds a picture of the
# right size in each size folder.
# Usage: validate_desktop.sh DESKTOP_FILE METAINFO_FILE ICON_ROOT APP_ID SIZE...
set -uo pipefail
desktop="$1"
metainfo="$2"
icons="$3"
app="$4"
shift 4
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Hints count as complaints too: the entry should give the validator nothing to say.
report=$(desktop-file-validate "$desktop" 2>&1)
status=$?
[ $status -eq 0 ] && [ -z "$report" ] || fail "desktop-file-validate: $report"
echo "desktop-file-validate: no complaints"
# Screenshots are named by URL; --no-net leaves them unfetched. --strict fails on any note down to the informational
# ones; the pedantic ones are shown but not counted.
appstreamcli validate --no-net --pedantic "$metainfo"
appstreamcli validate --no-net --strict "$metainfo" >/dev/null || fail "appstreamcli validate"

# Width and height from the PNG header, big-endian at bytes 16 to 23.
png_size() {
    od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }'
}
for size in "$@"; do
    png="$icons/hicolor/${size}x${size}/apps/$app.png"
    [ -f "$png" ] || fail "no icon $png"
    [ "$(png_size "$png")" = "${size}x${size}" ] || fail "$png is $(png_size "$png"), not ${size}x${size}"
done
svg="$icons/hicolor/scalable/apps/$app.svg"
if [ -f "$svg" ]; then
    grep -q "<svg" "$svg" || fail "$svg is not an SVG picture"
fi
echo "icons: $* and $( [ -f "$svg" ] && echo scalable || echo "no scalable")"
