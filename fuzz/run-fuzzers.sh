#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz and runs each one in turn
# for SECONDS (default 30). Each keeps its corpus in build-fuzz/corpus/<target>
# across runs; a crash, a sanitizer report, a leak or a slow input stops the
# script with a non-zero status and leaves the input in build-fuzz/findings/.
# Usage: fuzz/run-fuzzers.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(fuzz_list_entry fuzz_card fuzz_panel_info fuzz_tftp_packet fuzz_panels_list
             fuzz_data_log fuzz_quoting)
fi
dir=build-fuzz

CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORVAK_FUZZ=ON -DORVAK_BUILD_TESTS=OFF -DORVAK_BUILD_BENCH=OFF -DORVAK_BUILD_GUI=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)" --target "${targets[@]}"

bash fuzz/make-seeds.sh "$dir/seeds"
mkdir -p "$dir/findings" "$dir/logs"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for target in "${targets[@]}"; do
    mkdir -p "$dir/corpus/$target"
    echo "== $target: ${seconds} s"
    log="$dir/logs/$target.log"
    status=0
    "$dir/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=4096 -print_final_stats=1 -artifact_prefix="$dir/findings/$target-" \
        "$dir/corpus/$target" "$dir/seeds/$target" >"$log" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log"
        echo "== $target found a fault (status $status); input in $dir/findings/, log $log" >&2
        exit 1
    fi
    # The last coverage line (runs, cov, ft, corpus) and the final figures.
    grep -E '^#[0-9]+' "$log" | tail -n 1
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$log"
done
echo "== every fuzz target ran ${seconds} s without a finding"
echo "fuzz: ${#targets[@]} passed, 0 failed"
