#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Packs square PNG pictures into one Windows icon file, each picture stored as PNG (read by Windows Vista and
# later). The pictures come from the trainer's own icon drawing (render_app_icon).
#
# Usage: make-ico.sh OUT.ico PICTURE.png...
set -euo pipefail
out="$1"
shift
le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $((($1 >> 8) & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $((($1 >> 16) & 65535)); }
# The width and height of a PNG are big-endian 32-bit numbers at bytes 16 and 20.
png_width() { od -An -tu1 -j16 -N4 "$1" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }'; }
{
    le16 0
    le16 1
    le16 $#
    offset=$((6 + 16 * $#))
    for png in "$@"; do
        size=$(png_width "$png")
        bytes=$(stat -c %s "$png")
        # 256 is written as 0: the field is one byte.
        printf "\\x$(printf %02x $((size & 255)))\\x$(printf %02x $((size & 255)))"
        printf '\x00\x00'
        le16 1
        le16 32
        le32 "$bytes"
        le32 "$offset"
        offset=$((offset + bytes))
    done
    cat "$@"
} >"$out.tmp"
mv "$out.tmp" "$out"
