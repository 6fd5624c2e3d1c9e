#!/usr/bin/env bash
# Builds the fuzz programs (fuzz/, into build-fuzz/ with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for RUNS inputs (default 1 000 000), starting from its
# corpus. Prints the runs and findings of every program; fails when any program found something.
# An input that broke a program is kept in build-fuzz/fuzz/findings/<program>/, the run's log beside
# that folder in <program>.log; run the program with that file as its argument to see it again.
# The folder holds nothing but inputs: the build/ tree's test <program>Replay replays them all.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-1000000}

tools/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    "-DCMAKE_CXX_FLAGS_DEBUG=-g -O1" -DQUILO_FUZZ=ON \
    -DQUILO_BUILD_STATION=OFF -DQUILO_BUILD_TOOLS=OFF >/dev/null
cmake --build build-fuzz -j"${QUILO_JOBS:-$(nproc)}" --target quilo_fuzzers

# every program is named in fuzz/CMakeLists.txt; its source file is fuzz/<program>.cpp
mapfile -t programs < <(sed -n 's/^quilo_add_fuzzer(\([A-Za-z0-9]*\).*/\1/p' fuzz/CMakeLists.txt)
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
failed=0
for program in "${programs[@]}"; do
    findings=build-fuzz/fuzz/findings/$program
    rm -rf "$findings" && mkdir -p "$findings"
    corpora=(build-fuzz/fuzz/corpus/"$program")
    [ -d fuzz/seeds/"$program" ] && corpora+=(fuzz/seeds/"$program")
    log=$findings.log
    start=$SECONDS
    status=0
    build-fuzz/fuzz/"$program" -runs="$runs" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$findings/" "${corpora[@]}" >"$log" 2>&1 || status=$?
    done_runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
    found=$(find "$findings" -type f | wc -l)
    printf '%-22s %10s runs %4ds  ' "$program" "${done_runs:-?}" $((SECONDS - start))
    if [ "$status" -ne 0 ] || [ "$found" -ne 0 ]; then
        failed=1
        echo "FOUND (exit $status): $(find "$findings" -type f | tr '\n' ' ')"
        grep -m3 -E 'ERROR|invariant broken|runtime error' "$log" | sed 's/^/    /' || true
    else
        echo "no findings"
    fi
done
exit "$failed"
