#!/usr/bin/env bash
# Checks the layout of the C++ files, builds the project and runs every test:
# the normal build first, then the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, the threaded parts under ThreadSanitizer, then
# each fuzz target for 30 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/check-format.sh

export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/orvak-runtime-XXXXXX)}"
chmod 700 "$XDG_RUNTIME_DIR"
jobs="$(nproc)"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVAK_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs" --timeout 600

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVAK_SANITIZE=ON -DORVAK_WERROR=ON
cmake --build build-asan -j"$jobs"
# Qt WebEngine (the Graph View) frees some of its own objects with a sized
# delete of another size; that mismatch is inside the library, not ours.
ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:new_delete_type_mismatch=0" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    ctest --test-dir build-asan --output-on-failure -j"$jobs" --timeout 900

# The threaded parts under ThreadSanitizer: the link against the simulator's
# worker threads, the simulator itself, and the progress window's worker. Qt's
# own libraries are not instrumented, so races reported inside them are
# suppressed (scripts/tsan-qt.supp); our code's accesses are still checked.
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVAK_TSAN=ON -DORVAK_BUILD_BENCH=OFF \
    -DORVAK_WERROR=ON
cmake --build build-tsan -j"$jobs" --target test_link test_tools test_widgets
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/scripts/tsan-qt.supp"
ctest --test-dir build-tsan --output-on-failure -j"$jobs" --timeout 900 -L '^test_(link|tools)$'
ctest --test-dir build-tsan --output-on-failure -j"$jobs" --timeout 900 -R '^DlgProgressDlgTest\.'
unset TSAN_OPTIONS

# Every parser of panel and file data under libFuzzer; a finding fails the run.
bash fuzz/run-fuzzers.sh 30
