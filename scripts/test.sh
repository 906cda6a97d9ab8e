#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds everything with warnings as errors, checks the formatting and runs the whole test
# suite headless; then builds it all again with the address and undefined-behaviour sanitizers and runs the whole
# suite a second time; then cross-builds the trainer for Windows (its toolchain cached, see build-windows.sh) and runs
# the Windows build's tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# A compiler cache where there is one (a machine that builds again and again), none needed.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DMOCKEXAM_WERROR=ON \
      "${launcher[@]}"
cmake --build build-test --target format-check
cmake --build build-test
(cd build-test && ctest --output-on-failure -j2)

# Debug: the sanitizers find the same faults without optimisation, and the build takes half the time.
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DMOCKEXAM_WERROR=ON \
      -DENABLE_SANITIZERS=ON "${launcher[@]}"
cmake --build build-sanitize
(cd build-sanitize && ctest --output-on-failure -j2)

# Windows: the cross toolchain from Debian's sources (built once into /var/cache/mockexam-win, about 40 minutes on
# 2 cores the first time), the zip and the installer, and their tests under Wine.
# The tests that cross banks between the systems take the Linux bank tool built above.
MOCKEXAM_LINUX_BANK_TOOL_DIR="$PWD/build-test/bin" bash scripts/build-windows.sh --test
