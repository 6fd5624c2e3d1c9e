#!/usr/bin/env bash
# Builds Quilo and runs every test: unit, widget and end-to-end tests on a private X display,
# then the unit and widget tests again built with AddressSanitizer and UndefinedBehaviorSanitizer,
# then a short run of every fuzz program (tools/fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build -j"$jobs"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILO_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

tools/with-display.sh bash -c '
    set -e
    echo "== all tests =="
    ctest --test-dir build --output-on-failure -j2
    echo "== unit and widget tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
    ctest --test-dir build-asan --output-on-failure -j2 -L "unit|widget"
'

echo "== every parser of outside input fuzzed for a short run =="
QUILO_JOBS="$jobs" tools/fuzz.sh 20000
