#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian 12 packages the trainer, its tests and its tools need, and any further packages named on the
# command line (the Windows build's); only what is missing.
#   scripts/install-deps.sh [PACKAGE...]
set -euo pipefail
packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev qt6-translations-l10n
    libsqlcipher-dev libssl-dev libcsv-dev mdbtools-dev libquazip1-qt6-dev
    fonts-arphic-uming fonts-noto-cjk
    clang-format
    xvfb xauth x11-utils xdotool
    dpkg-dev desktop-file-utils appstream lintian
    "$@"
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
