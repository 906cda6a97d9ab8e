#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# A fuzz run of the workbook reader under AddressSanitizer and UBSan, seeded with the workbooks under tests/data/xlsx
# and one exported from the sample bank. Usage: bash bench/fuzz_xlsx.sh [SECONDS]   (default 1800).
# Findings go to build-fuzz/findings/xlsx.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz
seconds=${1:-1800}
command -v clang++ >/dev/null || { echo "bench/fuzz_xlsx.sh needs clang with libFuzzer: apt-get install clang" >&2; exit 1; }
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
    -DMOCKEXAM_BUILD_BENCH=ON -DMOCKEXAM_BUILD_FUZZ=ON -DENABLE_SANITIZERS=ON >/dev/null
cmake --build "$build" --target fuzz_xlsx_reader mockexam-bank -j2

mkdir -p "$build/corpus/xlsx" "$build/findings/xlsx"
find "$root/tests/data/xlsx" -name '*.xlsx' -exec cp {} "$build/corpus/xlsx/" \; 2>/dev/null || true
"$build/bin/mockexam-bank" build "$root/data/sample" "$build/sample-bank" >/dev/null
"$build/bin/mockexam-bank" export "$build/sample-bank" "$build/sample-xlsx" --xlsx >/dev/null
cp "$build/sample-xlsx/bank.xlsx" "$build/corpus/xlsx/sample.xlsx"
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
(cd "$build/findings/xlsx" && "$build/bin/fuzz_xlsx_reader" -max_total_time="$seconds" -fork=1 -ignore_crashes=1 \
    -ignore_ooms=1 -ignore_timeouts=1 -timeout=10 -rss_limit_mb=2048 -print_funcs=0 -max_len=300000 \
    "$build/corpus/xlsx" 2>&1 | tail -n 30)
echo "Crash inputs, if any:"; ls "$build/findings/xlsx"
