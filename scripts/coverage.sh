#!/usr/bin/env bash
# Line coverage of src/ and tools/ by the whole test suite: builds in
# build-coverage with gcov instrumentation, runs ctest and prints gcovr's
# summary (needs the gcovr package).
set -euo pipefail
cd "$(dirname "$0")/.."
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/orvak-runtime-XXXXXX)}"
chmod 700 "$XDG_RUNTIME_DIR"
cmake -S . -B build-coverage -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVAK_COVERAGE=ON >/dev/null
cmake --build build-coverage -j"$(nproc)"
find build-coverage -name '*.gcda' -delete
ctest --test-dir build-coverage -j"$(nproc)" --timeout 900 --output-on-failure
gcovr --root . --filter 'src/' --filter 'tools/' --exclude-unreachable-branches \
    --print-summary --txt build-coverage/coverage.txt build-coverage
