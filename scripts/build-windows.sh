#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the trainer for 64-bit Windows on this Debian machine: the cross toolchain's libraries (cached, see
# windows-toolchain.sh), then the project with the same CMake files into build-win/, the portable zip and the
# installer. With --test, also runs the Windows build's tests under Wine.
#   scripts/build-windows.sh [--test]
#   MOCKEXAM_WIN_BUILD=DIR   the build folder (default build-win)
#   MOCKEXAM_WIN_LIBS="..."  only these toolchain libraries (default: all, the bank tool's workbook libraries too)
#   MOCKEXAM_LINUX_BANK_TOOL_DIR=DIR  a folder holding a Linux mockexam-bank already built (default: build one)
set -euo pipefail
cd "$(dirname "$0")/.."
run_tests=no
[ "${1:-}" = --test ] && run_tests=yes
build="${MOCKEXAM_WIN_BUILD:-build-win}"
start=$SECONDS

# What the cross build and its tests need beyond the Linux build's packages, installed with those by
# scripts/install-deps.sh: the MinGW-w64 compilers (posix threads), tclsh for SQLCipher's generated source, Wine,
# NSIS, and the X tools of the window tests (xclip hands the Chinese fill-in answer over).
packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 tcl dpkg-dev
    wine wine64 nsis xvfb xauth xdotool xclip x11-utils qt6-base-dev-tools qt6-translations-l10n fonts-arphic-uming)
bash scripts/install-deps.sh "${packages[@]}"

mkdir -p "$build"
# MOCKEXAM_WIN_LIBS limits the toolchain to the libraries named (default: all of them).
# shellcheck disable=SC2086
bash scripts/windows-toolchain.sh ${MOCKEXAM_WIN_LIBS:-} >"$build/toolchain-prefixes.txt"
mapfile -t prefixes <"$build/toolchain-prefixes.txt"
prefix_of() {
    local p
    for p in "${prefixes[@]}"; do
        case "$(basename "$p")" in "$1"-*) echo "$p" && return 0 ;; esac
    done
    echo "no $1 in the toolchain" >&2
    return 1
}
qt=$(prefix_of qt)
ssl=$(prefix_of openssl)
cipher=$(prefix_of sqlcipher)
csv=$(prefix_of libcsv)
quazip=$(prefix_of quazip)
textcodec=$(prefix_of textcodec)
echo "toolchain ready after $((SECONDS - start)) s"
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# The Linux bank tool, for the tests that cross banks between the two systems: the one in
# MOCKEXAM_LINUX_BANK_TOOL_DIR when the caller has built it already (scripts/test.sh has), else a build of its own.
host_tools="${MOCKEXAM_LINUX_BANK_TOOL_DIR:-}"
if [ -z "$host_tools" ] || [ ! -x "$host_tools/mockexam-bank" ]; then
    cmake -S . -B "$build/host" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF "${launcher[@]}" \
        >"$build/host-configure.log"
    cmake --build "$build/host" -j2 --target mockexam-bank
    host_tools="$PWD/$build/host/bin"
fi

# pkg-config answers for the target from these files only, never from the build machine's libraries.
mkdir -p "$build/pkgconfig"
cat >"$build/pkgconfig/sqlcipher.pc" <<EOF
Name: sqlcipher
Description: SQLCipher for Windows, from the cross toolchain
Version: 3.4.1
Cflags: -I$cipher/include/sqlcipher -DSQLITE_HAS_CODEC
Libs: -L$cipher/lib -lsqlcipher -L$ssl/lib -lcrypto -lws2_32 -lcrypt32 -lbcrypt
EOF
export PKG_CONFIG_LIBDIR="$PWD/$build/pkgconfig"
unset PKG_CONFIG_PATH
prefix_list=$(IFS=';' && echo "${prefixes[*]}")
# Qt's own toolchain file (which loads ours) finds the host tools through QT_HOST_PATH. Packages are looked up in
# each prefix's lib/cmake: a prefix path equal to a root path entry would be re-rooted into a path that does not
# exist.
cmake_dirs=$(for p in "${prefixes[@]}"; do printf '%s/lib/cmake;' "$p"; done)
cmake_dirs=${cmake_dirs%;}
# The static libcrypto needs the system's socket and crypto libraries after it on the link line.
standard_libraries="-lws2_32 -lcrypt32 -lbcrypt -lkernel32 -luser32 -lgdi32 -lshell32 -lole32 -loleaut32 -luuid"
standard_libraries="$standard_libraries -lcomdlg32 -ladvapi32"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DMOCKEXAM_WERROR=ON \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/packaging/windows/mingw-w64-x86_64.cmake" \
    -DMOCKEXAM_WIN_PREFIXES="$prefix_list" -DCMAKE_PREFIX_PATH="$cmake_dirs" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DOPENSSL_ROOT_DIR="$ssl" -DOPENSSL_USE_STATIC_LIBS=ON \
    -DCMAKE_C_FLAGS="-isystem $csv/include" -DCMAKE_CXX_FLAGS="-isystem $csv/include" \
    -DCMAKE_EXE_LINKER_FLAGS="-L$csv/lib -static-libgcc" \
    -DCMAKE_CXX_STANDARD_LIBRARIES="$standard_libraries" -DCMAKE_C_STANDARD_LIBRARIES="$standard_libraries" \
    -DMOCKEXAM_WIN_EXTRA_DLL_DIRS="$quazip/bin" -DQT_ADDITIONAL_PACKAGES_PREFIX_PATH="$textcodec" \
    -DMOCKEXAM_PKG_CONFIG_LIBDIR="$PKG_CONFIG_LIBDIR" \
    -DMOCKEXAM_JET_READER=OFF -DMOCKEXAM_LINUX_BANK_TOOL_DIR="$host_tools" "${launcher[@]}" >"$build/configure.log" || {
    cat "$build/configure.log"
    exit 1
}
cmake --build "$build" -j2
cmake --build "$build" --target windows_zip windows_installer
echo "Windows build done after $((SECONDS - start)) s:"
ls -l "$build"/mockexam-*-win64.zip "$build"/mockexam-*-setup.exe

if [ "$run_tests" = yes ]; then
    (cd "$build" && ctest --output-on-failure -j2)
fi
