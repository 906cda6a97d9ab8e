#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a Windows program of the build under Wine, with the build's prefix and DLL folders (see wine-env.sh); the
# build's emulator, so that CTest and the build's own steps (the sample bank, the icon) run the .exe files as they
# run programs natively. Exit status: the program's.
#   wine-run.sh PROGRAM.exe ARGUMENT...
set -uo pipefail
# shellcheck source=wine-env.sh
source "$(dirname "$0")/wine-env.sh"
wine_prepare || exit 1
wine_set_path
# Window-free programs need no display; one that opens windows runs on the display given (a test's Xvfb).
if [ -z "${DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
fi
# Wine keeps the build machine's QT_* variables from Windows programs (they are meant for its own Qt): a Windows
# program sees one when it is given as WINEQT_*.
for name in $(compgen -e); do
    case "$name" in QT_*) export "WINE$name=${!name}" ;; esac
done
exec "$wine_bin" "$@"
