#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs the whole test suite headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DMOCKEXAM_WERROR=ON
cmake --build build-test
cd build-test
ctest --output-on-failure -j2
