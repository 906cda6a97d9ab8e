#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the build into a scratch prefix away from /usr and uses it only through the links in PREFIX/bin: the bank
# tool checks the installed sample bank, and runs its reading child for a legacy bank. The trainer and the tool must
# take their folder from the real file behind the link, where Dat/ and the reading child are.
# Usage: install_tree.sh CMAKE BUILD_DIR SOURCE_DIR
set -uo pipefail
cmake="$1"
build="$2"
src="$3"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/opt/mockexam"
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

"$cmake" --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 || {
    cat "$tmp/install.log" >&2
    fail "cmake --install failed"
}

for program in mockexam mockexam-bank; do
    link="$prefix/bin/$program"
    [ -L "$link" ] || fail "$link is not a symbolic link"
    [ "$(readlink "$link")" = "../lib/mockexam/$program" ] || fail "$link points at $(readlink "$link")"
    real="$prefix/lib/mockexam/$program"
    [ -f "$real" ] && [ ! -L "$real" ] && [ -x "$real" ] || fail "$real is not an executable file"
done
for file in Bs.mdb Mq4100.mdw; do
    [ -f "$prefix/lib/mockexam/Dat/$file" ] || fail "the sample bank's $file is not in lib/mockexam/Dat"
done
# The Debian package's own papers come only with the package.
[ ! -e "$prefix/share/doc/mockexam/copyright" ] || fail "a plain install carries the Debian copyright file"

# Moved after installing: nothing in the tree may depend on where it was put.
mv "$prefix" "$tmp/moved"
prefix="$tmp/moved"
tool="$prefix/bin/mockexam-bank"

out=$("$tool" check "$prefix/lib/mockexam/Dat" 2>&1) || fail "mockexam-bank check on the installed bank: $out"
echo "$out" | grep -q "检查完毕：0 个错误" || fail "mockexam-bank check did not finish cleanly: $out"
echo "installed bank checked through the link"

# A genuine Jet file as the legacy bank and another as its workgroup file: neither holds the trainer's tables, so the
# conversion must stop at what the reading child found in them, not at a missing reading program.
legacy="$tmp/legacy"
mkdir "$legacy"
cp "$src/tests/data/jet4/V2003_with-password.mdb" "$legacy/Bs.mdb"
cp "$src/tests/data/jet4/V2003_no-password.mdb" "$legacy/Mq4100.mdw"
err=$("$tool" import-jet "$legacy" "$tmp/converted" --from-db-password password 2>&1 >/dev/null)
status=$?
echo "$err"
[ "$status" -eq 1 ] || fail "import-jet ended with $status"
case "$err" in
*找不到读取*) fail "the reading child was not found beside the installed tool" ;;
*工作组文件*) echo "reading child found beside the installed tool" ;;
*) fail "import-jet did not get as far as the workgroup file" ;;
esac
