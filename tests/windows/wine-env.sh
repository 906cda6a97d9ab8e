# SPDX-License-Identifier: GPL-3.0-or-later

# The Wine set-up the Windows build runs in (sourced): a 64-bit prefix of its own under the build folder, made once
# (wineboot) with a CJK font in its Fonts folder standing in for 宋体/SimSun, and a virtual desktop, so that Wine
# itself, not an X window manager, moves and sizes the windows through the program's own hit testing. The Qt and
# MinGW DLL folders go on Wine's PATH, so that the programs and tests run from the build folder as built.
#   MOCKEXAM_WINE_PREFIX   the prefix (default: wine-prefix beside this build's bin/)
#   MOCKEXAM_WINE_DLLS     ;-separated folders of DLLs to put on the PATH
export WINEARCH=win64
# Arguments and file names reach Windows programs as UTF-16 converted from the locale: it must be UTF-8.
export LC_ALL=C.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
# No download of Mono or Gecko: nothing here uses .NET or HTML.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="${MOCKEXAM_WINE_PREFIX:?the Wine prefix is not set}"
wine_bin=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
[ -x "$wine_bin" ] || wine_bin=/usr/lib/wine/wine64

# A Unix path as Windows sees it (Z: is the root of the Unix tree).
wine_path() {
    printf 'Z:%s' "$1" | tr / '\\'
}

wine_font_file() {
    local f
    for f in /usr/share/fonts/truetype/arphic/uming.ttc /usr/share/fonts/opentype/noto/NotoSerifCJK-Regular.ttc \
        /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc; do
        [ -f "$f" ] && echo "$f" && return 0
    done
    return 1
}

wine_prepare() {
    [ -f "$WINEPREFIX/.mockexam-ready" ] && return 0
    mkdir -p "$(dirname "$WINEPREFIX")"
    # Several tests may start at once on a fresh prefix: one makes it, the others wait.
    (
        flock 9
        [ -f "$WINEPREFIX/.mockexam-ready" ] && exit 0
        rm -rf "$WINEPREFIX"
        DISPLAY= "$wine_bin" wineboot --init >/dev/null 2>&1
        "$(dirname "$wine_bin")/wineserver" -w 2>/dev/null || wineserver -w 2>/dev/null || true
        font=$(wine_font_file) || { echo "no CJK font for the Wine prefix" >&2; exit 1; }
        cp "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
        face="AR PL UMing CN"
        case "$font" in *Noto*) face="Noto Serif CJK SC" ;; esac
        reg=$(mktemp --suffix=.reg)
        {
            printf 'Windows Registry Editor Version 5.00\r\n\r\n'
            printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
            printf '"SimSun"="%s"\r\n"宋体"="%s"\r\n"NSimSun"="%s"\r\n\r\n' "$face" "$face" "$face"
            printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n'
            printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1024x768"\r\n\r\n'
            # Wine asks nothing when a program crashes; the test sees the exit status.
            printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n\r\n'
        } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
        DISPLAY= "$wine_bin" regedit /S "$(wine_path "$reg")" >/dev/null 2>&1
        "$(dirname "$wine_bin")/wineserver" -w 2>/dev/null || wineserver -w 2>/dev/null || true
        rm -f "$reg"
        touch "$WINEPREFIX/.mockexam-ready"
    ) 9>"$WINEPREFIX.lock"
}

wine_set_path() {
    local dirs="" d
    IFS=';' read -ra parts <<<"${MOCKEXAM_WINE_DLLS:-}"
    for d in "${parts[@]}"; do
        [ -n "$d" ] && dirs="$dirs;$(wine_path "$d")"
    done
    export WINEPATH="${dirs#;}"
}
