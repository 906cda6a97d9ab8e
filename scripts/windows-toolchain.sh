#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the libraries the Windows build links, from Debian's own source packages, with Debian's MinGW-w64, into a
# cache: one folder per library, named by its version and a hash of the function below that builds it (so that a
# changed recipe builds afresh and an unchanged one is reused). Each is built in a temporary folder and renamed into
# place only when complete, so that an interrupted run never leaves a half library that looks finished.
#
#   scripts/windows-toolchain.sh            builds what is missing, prints the prefixes (one a line) at the end
#   MOCKEXAM_WIN_CACHE=DIR                  the cache folder (default /var/cache/mockexam-win)
#
# Qt is the long one (about 20 minutes on 2 cores): its build folder is kept between runs, so that an interrupted
# build resumes where it stopped.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cache="${MOCKEXAM_WIN_CACHE:-/var/cache/mockexam-win}"
jobs="${MOCKEXAM_WIN_JOBS:-2}"
triplet=x86_64-w64-mingw32
mkdir -p "$cache/src" "$cache/work"
# The cached Qt records the toolchain file it was built with: keep a copy in the cache, not a path into a checkout.
toolchain_file="$cache/mingw-w64-x86_64-$(sha256sum <"$here/packaging/windows/mingw-w64-x86_64.cmake" | cut -c1-12).cmake"
[ -f "$toolchain_file" ] || cp "$here/packaging/windows/mingw-w64-x86_64.cmake" "$toolchain_file"
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# Debian's source packages, the versions the Linux build links (the security suite's tarballs are not always on
# the mirror, hence the pinned versions).
declare -A source_version=(
    [qt6-base]=6.4.2+dfsg-10
    [sqlcipher]=3.4.1-2
    [openssl]=3.0.17-1~deb12u2
    [libcsv]=3.0.3+dfsg-6
    [zlib]=1:1.2.13.dfsg-1
    [libquazip1-qt5]=1.4-1
    # not a source package: the version of the Qt whose QTextCodec calls it stands in for
    [textcodec]=6.4.2
)

log() { printf '[windows-toolchain %(%H:%M:%S)T] %s\n' -1 "$*" >&2; }

ensure_deb_src() {
    if ! apt-get source --print-uris -qq zlib >/dev/null 2>&1; then
        log "adding deb-src entries for the suites this machine uses"
        sed -e 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
            >/etc/apt/sources.list.d/mockexam-src.sources
        apt-get update -qq
    fi
}

# Unpacks the upstream tarball of a source package into work/<name> and prints that folder.
unpack() {
    local pkg="$1" ver="${source_version[$1]}" upstream
    upstream="${ver#*:}"
    upstream="${upstream%-*}"
    if ! ls "$cache/src/${pkg}_${upstream}".orig.tar.* >/dev/null 2>&1; then
        ensure_deb_src
        (cd "$cache/src" && apt-get source -qq --download-only "$pkg=$ver" 2>&1 | grep -v unsandboxed >&2 || true)
    fi
    local tarball dir="$cache/work/$pkg"
    tarball="$(ls "$cache/src/${pkg}_${upstream}".orig.tar.* | grep -v '\.asc$' | head -n1)"
    if [ ! -d "$dir" ]; then
        rm -rf "$dir.tmp" && mkdir -p "$dir.tmp"
        tar xf "$tarball" -C "$dir.tmp" --strip-components=1
        mv "$dir.tmp" "$dir"
    fi
    echo "$dir"
}

# Prints the cache folder of a library: name, version and the hash of its build function and of what it builds on.
prefix_of() {
    local lib="$1" hash
    hash="$( (declare -f "build_$lib"; cat "$toolchain_file"; for d in ${deps[$lib]:-}; do prefix_of "$d"; done
        if [ "$lib" = textcodec ]; then find "$here/packaging/windows/textcodec" -type f | sort | xargs cat; fi) |
        sha256sum | cut -c1-12)"
    echo "$cache/$lib-${source_version[${pkg_of[$lib]}]//[:~]/_}-$hash"
}

# Debian's repacked zlib has no win32 makefile; the library is its fifteen C files.
build_zlib() { # $1 source, $2 install prefix
    local f
    for f in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees trees \
        uncompr zutil; do
        "$triplet-gcc-posix" -O2 -c "$1/$f.c" -o "$1/$f.o"
    done
    "$triplet-ar" rcs "$1/libz.a" "$1"/*.o
    mkdir -p "$2/include" "$2/lib"
    cp "$1"/zlib.h "$1"/zconf.h "$2/include/"
    cp "$1/libz.a" "$2/lib/"
}

build_libcsv() {
    mkdir -p "$2/include" "$2/lib"
    "$triplet-gcc-posix" -O2 -c "$1/libcsv.c" -o "$1/libcsv.o"
    "$triplet-ar" rcs "$2/lib/libcsv.a" "$1/libcsv.o"
    cp "$1/csv.h" "$2/include/"
}

# Only libcrypto: SQLCipher needs its ciphers, hashes and key derivation, nothing of TLS.
build_openssl() {
    (cd "$1" && ./Configure mingw64 no-shared no-tests no-module no-engine no-dso no-ui-console \
        --cross-compile-prefix="$triplet-" --prefix="$2" --libdir=lib CC=gcc-posix >/dev/null &&
        make -j"$jobs" build_generated >/dev/null && make -j"$jobs" libcrypto.a >/dev/null)
    mkdir -p "$2/include/openssl" "$2/lib"
    cp "$1"/include/openssl/*.h "$2/include/openssl/"
    cp "$1/libcrypto.a" "$2/lib/"
}

# The amalgamation is generated on the build machine (it needs tclsh and host-built helpers), then compiled for
# Windows with the defines Debian's own package is built with, so that banks are the same bytes on both systems.
build_sqlcipher() {
    local ssl
    ssl="$(prefix_of openssl)"
    (cd "$1" && { [ -f sqlite3.c ] || { ./configure --disable-tcl CFLAGS=-DSQLITE_HAS_CODEC LIBS=-lcrypto \
        >/dev/null && make sqlite3.c >/dev/null; }; })
    mkdir -p "$2/include/sqlcipher" "$2/lib"
    "$triplet-gcc-posix" -O2 -fno-strict-aliasing -DSQLITE_SECURE_DELETE -DSQLITE_ENABLE_COLUMN_METADATA \
        -DSQLITE_ENABLE_FTS3 -DSQLITE_ENABLE_RTREE=1 -DSQLITE_SOUNDEX=1 -DSQLITE_ENABLE_UNLOCK_NOTIFY \
        -DSQLITE_OMIT_LOOKASIDE=1 -DSQLITE_ENABLE_UPDATE_DELETE_LIMIT=1 -DSQLITE_MAX_SCHEMA_RETRY=25 \
        -DSQLITE_HAS_CODEC -DSQLITE_TEMP_STORE=2 -DSQLITE_THREADSAFE=1 -DSQLCIPHER_CRYPTO_OPENSSL \
        -I"$ssl/include" -c "$1/sqlite3.c" -o "$1/sqlite3.o"
    "$triplet-ar" rcs "$2/lib/libsqlcipher.a" "$1/sqlite3.o"
    cp "$1/sqlite3.h" "$2/include/sqlcipher/"
    [ -f "$1/sqlite3ext.h" ] && cp "$1/sqlite3ext.h" "$2/include/sqlcipher/"
    cp "$1/src/sqlite3ext.h" "$2/include/sqlcipher/" 2>/dev/null || true
}

# Core, Gui, Widgets and Test, the Windows platform plugin and the styles; moc, rcc and uic are the build machine's.
# Left out besides the unused modules: the JPEG, GIF and ICO readers (the trainer draws its pictures and its icon
# itself). Direct2D stays on: in 6.4.2 Qt Gui compiles its DirectWrite font database only with Direct2D, while the
# Windows platform plugin links against that database either way, so switching Direct2D off breaks the plugin's link.
# Debian's repacked source has no wintab, hence no tablet events; the platform plugin needs OpenGL (dynamic).
build_qt() {
    cmake -S "$1" -B "$cache/work/qt-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain_file" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$2" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_tabletevent=OFF -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF \
        -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF \
        -DFEATURE_zstd=OFF -DFEATURE_system_zlib=OFF -DFEATURE_icu=OFF \
        -DFEATURE_direct2d=ON -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF \
        "${launcher[@]}" >"$cache/work/qt-configure.log"
    nice -n 10 ninja -C "$cache/work/qt-build" -j"$jobs" >"$cache/work/qt-build.log"
    DESTDIR="$cache/work/qt-stage" cmake --install "$cache/work/qt-build" >/dev/null
}

# QTextCodec, which QuaZip uses for the names of zip entries not flagged as UTF-8, lives in Qt's Core5Compat in Qt 6,
# whose source package the mirror does not always hold: a stand-in of ours over QStringConverter takes its place
# (packaging/windows/textcodec, header only, with the CMake package QuaZip asks for).
build_textcodec() {
    mkdir -p "$2"
    cp -r "$here/packaging/windows/textcodec/." "$2/"
}

build_quazip() {
    local qt tc z
    qt="$(prefix_of qt)"
    tc="$(prefix_of textcodec)"
    z="$(prefix_of zlib)"
    cmake -S "$1" -B "$1/build-win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain_file" -DCMAKE_BUILD_TYPE=Release \
        -DMOCKEXAM_WIN_PREFIXES="$qt;$tc;$z" -DCMAKE_PREFIX_PATH="$qt" -DQT_ADDITIONAL_PACKAGES_PREFIX_PATH="$tc" \
        -DZLIB_ROOT="$z" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQUAZIP_QT_MAJOR_VERSION=6 -DQUAZIP_ENABLE_TESTS=OFF -DQUAZIP_FETCH_LIBS=OFF -DQUAZIP_BZIP2=OFF \
        -DBUILD_SHARED_LIBS=ON -DCMAKE_INSTALL_PREFIX="$2" "${launcher[@]}" >/dev/null
    cmake --build "$1/build-win" -j"$jobs" >/dev/null
    cmake --install "$1/build-win" >/dev/null
}

declare -A pkg_of=([zlib]=zlib [libcsv]=libcsv [openssl]=openssl [sqlcipher]=sqlcipher [qt]=qt6-base [textcodec]=textcodec [quazip]=libquazip1-qt5)
declare -A deps=([sqlcipher]=openssl [quazip]="qt textcodec zlib")

# Builds one library unless its cache folder exists.
ensure() {
    local lib="$1" prefix src start
    prefix="$(prefix_of "$lib")"
    if [ -d "$prefix" ]; then
        return 0
    fi
    for d in ${deps[$lib]:-}; do ensure "$d"; done
    start=$SECONDS
    log "building $lib into $prefix"
    src=""
    [ "$lib" = textcodec ] || src="$(unpack "${pkg_of[$lib]}")"
    rm -rf "$prefix.tmp"
    if [ "$lib" = qt ]; then
        # Qt's qt.toolchain.cmake and qt-cmake record the install prefix: it is installed staged, under its final
        # name, then moved into place.
        rm -rf "$cache/work/qt-stage"
        "build_$lib" "$src" "$prefix"
        mv "$cache/work/qt-stage$prefix" "$prefix"
        rm -rf "$cache/work/qt-build" "$cache/work/qt-stage"
    else
        "build_$lib" "$src" "$prefix.tmp"
        mv "$prefix.tmp" "$prefix"
    fi
    [ -z "$src" ] || rm -rf "$src"
    log "built $lib in $((SECONDS - start)) s"
}

libs=(zlib libcsv openssl sqlcipher qt textcodec quazip)
if [ $# -gt 0 ]; then
    libs=("$@")
fi
for lib in "${libs[@]}"; do
    ensure "$lib"
done
for lib in "${libs[@]}"; do
    prefix_of "$lib"
done
