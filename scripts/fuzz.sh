#!/usr/bin/env bash
# Builds ./build-fuzz with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer and runs every fuzz target for SECONDS each
# (default 20; CI runs them briefly). A longer run: bash scripts/fuzz.sh 3600
# Each target keeps its corpus in build-fuzz/corpus/<target> between runs and
# starts from the seeds in fuzz/seeds/<target>. Fails on the first crash, leak,
# undefined behaviour or input slower than 10 s.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
bash scripts/install-deps.sh
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKORVO_FUZZ=ON -DKORVO_BUILD_TESTS=OFF -DKORVO_BUILD_DEVPORTAL=OFF >/dev/null
cmake --build build-fuzz --target korvo_fuzzers
export ASAN_OPTIONS="detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
printf '%-24s %12s %8s %10s\n' target executions seconds corpus
for fuzzer in build-fuzz/bin/fuzz_*; do
    name=$(basename "$fuzzer")
    corpus="build-fuzz/corpus/$name"
    mkdir -p "$corpus"
    log="build-fuzz/$name.log"
    if ! "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        "$corpus" "fuzz/seeds/$name" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "$name failed; the input is in the log above" >&2
        exit 1
    fi
    runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
    took=$(awk '/Done [0-9]+ runs in/ {print $(NF-1)}' "$log")
    printf '%-24s %12s %8s %10s\n' "$name" "${runs:-?}" "${took:-$seconds}" "$(ls "$corpus" | wc -l)"
done
