#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# The Windows bank tool under Wine: check and draw on the bundled bank (built by the Windows tool itself), on a bank
# built by the Linux tool, and the Linux tool on the Windows-built bank, both ways giving the same CSV bytes back;
# a bank built into and read from a folder named in Chinese (outside the ANSI code page of a Western system); a
# missing bank refused with a Chinese message naming the file.
# Usage: wine_banktool.sh mockexam-bank.exe BUNDLED_DAT [LINUX_BANK_TOOL]
set -uo pipefail
exe="$1"
dat="$2"
linux_tool="${3:-}"
run="${MOCKEXAM_WINE_RUN:?}"
src="${MOCKEXAM_SOURCE_DIR:?}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
# Runs the Windows tool; its output (CR LF lines) in $work/out, status returned.
win() {
    "$run" "$exe" "$@" >"$work/out" 2>&1
    local rc=$?
    tr -d '\r' <"$work/out" >"$work/out.txt"
    return $rc
}

win check "$dat" || fail "check on the bundled bank: $(cat "$work/out.txt")"
win draw "$dat" || fail "draw on the bundled bank: $(cat "$work/out.txt")"
grep -q . "$work/out.txt" || fail "draw printed nothing"
echo "bundled bank: check and draw pass"

# Chinese folder names, through the wide-character file layer and the engine's UTF-8 paths.
cn="$work/模拟考试/Dat"
win build "$src/data/sample" "$cn" || fail "build into $cn: $(cat "$work/out.txt")"
win check "$cn" || fail "check in $cn: $(cat "$work/out.txt")"
win draw "$cn" || fail "draw in $cn: $(cat "$work/out.txt")"
[ -f "$cn/Bs.mdb" ] && [ -f "$cn/Mq4100.mdw" ] || fail "the bank is not where it was built: $cn"
echo "bank in a Chinese-named folder: build, check and draw pass"

mkdir -p "$work/empty"
win check "$work/empty" && fail "check on an empty folder succeeded"
grep -Eq '(题库文件不存在：.*Bs\.mdb|工作组文件不存在：.*Mq4100\.mdw)' "$work/out.txt" ||
    fail "a missing bank is not reported in Chinese with its name: $(cat "$work/out.txt")"
echo "missing bank: refused with the Chinese message naming the file"

if [ -n "$linux_tool" ]; then
    "$linux_tool" build "$src/data/sample" "$work/linux-dat" >/dev/null || fail "the Linux tool could not build"
    win check "$work/linux-dat" || fail "check on the Linux-built bank: $(cat "$work/out.txt")"
    win draw "$work/linux-dat" || fail "draw on the Linux-built bank: $(cat "$work/out.txt")"
    "$linux_tool" check "$dat" >/dev/null || fail "the Linux tool's check on the Windows-built bank"
    win export "$work/linux-dat" "$work/from-linux" || fail "export of the Linux-built bank: $(cat "$work/out.txt")"
    "$linux_tool" export "$dat" "$work/from-windows" >/dev/null || fail "the Linux export of the Windows bank"
    for f in choose.csv Fill.csv tzhishidian.csv; do
        cmp -s "$work/from-linux/$f" "$src/data/sample/$f" || fail "$f from the Linux bank differs from its source"
        cmp -s "$work/from-windows/$f" "$src/data/sample/$f" || fail "$f from the Windows bank differs from its source"
    done
    echo "banks cross between the systems: check, draw and byte-exact export pass"
else
    echo "no Linux bank tool given: the crossing between the systems is not tested" >&2
    fail "no Linux bank tool"
fi
[ "$failures" -eq 0 ]
