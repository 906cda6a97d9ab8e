#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package from this build with CPack, checks its control fields and its file list, unpacks it into
# a scratch root (OUT/root, for the tests that run the trainer from there) and, from that root, checks the installed
# sample bank through /usr/bin/mockexam-bank and validates the desktop entry and the AppStream metadata as installed.
# Usage: package_deb.sh CPACK BUILD_DIR OUT_DIR APP_ID
set -uo pipefail
cpack="$1"
build="$2"
out="$3"
app="$4"
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

rm -rf "$out"
mkdir -p "$out"
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || {
    cat "$out/cpack.log" >&2
    fail "cpack -G DEB failed"
}
debs=("$out"/mockexam_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one mockexam_*.deb in $out"
deb="${debs[0]}"
dpkg-deb -I "$deb" || fail "dpkg-deb -I"
dpkg-deb -c "$deb" | tee "$out/contents.txt" || fail "dpkg-deb -c"

# The dependencies come from the libraries the programs link, so each library of ours must be there by its package.
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6core6 libsqlcipher libmdb3 libcsv3 libquazip1-qt6 libc6 "fonts-arphic-uming | fonts-noto-cjk" \
    qt6-qpa-plugins; do
    case "$depends" in
    *"$needed"*) ;;
    *) fail "Depends lacks $needed: $depends" ;;
    esac
done
[ "$(dpkg-deb -f "$deb" Section)" = education ] || fail "Section is not education"

root="$out/root"
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"
for path in "usr/lib/mockexam/mockexam" "usr/lib/mockexam/mockexam-bank" "usr/lib/mockexam/Dat/Bs.mdb" \
    "usr/lib/mockexam/Dat/Mq4100.mdw" "usr/share/applications/$app.desktop" "usr/share/metainfo/$app.metainfo.xml" \
    "usr/share/icons/hicolor/48x48/apps/$app.png" "usr/share/doc/mockexam/copyright" \
    "usr/share/doc/mockexam/changelog.Debian.gz"; do
    [ -f "$root/$path" ] || fail "the package lacks /$path"
done
diff -r "$build/packaging/icons/hicolor" "$root/usr/share/icons/hicolor" || fail "the package's icons differ from the build's"
for program in mockexam mockexam-bank; do
    [ "$(readlink "$root/usr/bin/$program")" = "../lib/mockexam/$program" ] || fail "/usr/bin/$program is not a link"
done

check=$("$root/usr/bin/mockexam-bank" check "$root/usr/lib/mockexam/Dat" 2>&1) || fail "mockexam-bank check: $check"
echo "$check" | grep -q "检查完毕：0 个错误" || fail "mockexam-bank check did not finish cleanly: $check"
echo "installed bank checked"

desktop-file-validate "$root/usr/share/applications/$app.desktop" || fail "desktop-file-validate"
appstreamcli validate-tree --no-net --strict "$root" || fail "appstreamcli validate-tree"
echo "package built, unpacked and checked: $deb"
