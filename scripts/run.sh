#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds the trainer and the sample bank, and starts the trainer.
# Without a display (no DISPLAY / WAYLAND_DISPLAY) it runs under xvfb-run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
cmake --build build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" build/bin/mockexam "$@"
fi
exec build/bin/mockexam "$@"
