#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the screenshot maker and the sample bank in build-docs/ and takes the README's pictures of the trainer's
# screens into docs/screenshots/, on a virtual X display (xvfb-run, 1024x768).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-docs -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DMOCKEXAM_BUILD_SCREENSHOTS=ON
cmake --build build-docs --target make_screenshots sample_bank -j2
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" build-docs/bin/make_screenshots docs/screenshots
