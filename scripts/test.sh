#!/usr/bin/env bash
# Every test: the normal build with CTest, the same tests built with address and
# undefined-behaviour sanitizers, and a short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)

echo "== layering"
python3 scripts/check-layers.py

echo "== the plug-in's SDK and Windows names are all in docs/sdk-surface.md"
python3 scripts/check-sdk-surface.py

echo "== tests"
scripts/build.sh build
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
scripts/build.sh build-asan -DARXHOST_SANITIZE=ON -DARXHOST_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== fuzzing"
scripts/build.sh build-fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DARXHOST_FUZZ=ON \
    -DARXHOST_TESTS=OFF -DARXHOST_BENCH=OFF
for target in build-fuzz/bin/fuzz_*; do
    name=$(basename "$target")
    corpus=build-fuzz/corpus/$name
    mkdir -p "$corpus"
    cp -n fuzz/seeds/"${name#fuzz_}"/* "$corpus"/ 2>/dev/null || true
    echo "-- $name"
    # A fixed seed and a bounded number of runs: the same inputs on every machine,
    # so a run that passes here passes in CI. FUZZ_SEED and FUZZ_RUNS explore further.
    "$target" -seed="${FUZZ_SEED:-1}" -runs="${FUZZ_RUNS:-50000}" -max_total_time="${FUZZ_SECONDS:-60}" \
        -max_len=65536 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$corpus" 2>&1 | tail -n 4
done
echo "== all tests passed"
