#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors, checks the formatting and runs the whole test
# suite headless; then builds the window-free units (the rules, the bank, the bank tool) with the address and
# undefined-behaviour sanitizers and runs their tests again. The sanitized run is left to the window-free units so
# that the whole script stays within CI's time on two cores; README.md says how to sanitize everything.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DMOCKEXAM_WERROR=ON
cmake --build build-test --target format-check
cmake --build build-test
(cd build-test && ctest --output-on-failure -j2)

# Debug: the sanitizers find the same faults without optimisation, and the build takes half the time.
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DMOCKEXAM_WERROR=ON \
      -DENABLE_SANITIZERS=ON -DMOCKEXAM_WINDOWLESS=ON
cmake --build build-sanitize
(cd build-sanitize && ctest --output-on-failure -j2)
