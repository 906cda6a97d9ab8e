#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds everything with warnings as errors, checks the formatting and runs the whole test
# suite headless; then builds it all again with the address and undefined-behaviour sanitizers and runs the whole
# suite a second time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DMOCKEXAM_WERROR=ON
cmake --build build-test --target format-check
cmake --build build-test
(cd build-test && ctest --output-on-failure -j2)

# Debug: the sanitizers find the same faults without optimisation, and the build takes half the time.
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DMOCKEXAM_WERROR=ON \
      -DENABLE_SANITIZERS=ON
cmake --build build-sanitize
(cd build-sanitize && ctest --output-on-failure -j2)
