#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# A short fuzz run of the legacy Access/Jet reading path under AddressSanitizer and UBSan, seeded with the genuine
# test files. Usage: bash bench/fuzz_jet.sh [SECONDS_PER_TARGET]   (default 300). Findings go to build-fuzz/findings.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz
seconds=${1:-300}
command -v clang++ >/dev/null || { echo "bench/fuzz_jet.sh needs clang with libFuzzer: apt-get install clang" >&2; exit 1; }
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
    -DMOCKEXAM_BUILD_BENCH=ON -DMOCKEXAM_BUILD_FUZZ=ON -DENABLE_SANITIZERS=ON >/dev/null
cmake --build "$build" --target fuzz_jet_reader fuzz_jet_stream mockexam-bank -j2

mkdir -p "$build/corpus/reader" "$build/corpus/stream" "$build/findings/reader" "$build/findings/stream"
cp "$root"/tests/data/jet4/*.mdb "$build/corpus/reader/"
for f in "$root"/tests/data/jet4/*.mdb; do
    "$build/bin/mockexam-bank" jet-dump "$f" >"$build/corpus/stream/$(basename "$f").cbor" 2>/dev/null || true
done
# Leaks are not looked for: the reading child ends after one file, so memory it fails to free costs nothing.
export ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1
common=(-max_total_time="$seconds" -fork=1 -ignore_crashes=1 -ignore_ooms=1 -ignore_timeouts=1 -timeout=10
        -rss_limit_mb=2048 -print_funcs=0)
(cd "$build/findings/reader" && "$build/bin/fuzz_jet_reader" "${common[@]}" -max_len=400000 \
    "$build/corpus/reader" 2>&1 | tail -n 30)
(cd "$build/findings/stream" && "$build/bin/fuzz_jet_stream" "${common[@]}" "$build/corpus/stream" 2>&1 | tail -n 30)
echo "Crash inputs, if any:"; ls "$build/findings/reader" "$build/findings/stream"
