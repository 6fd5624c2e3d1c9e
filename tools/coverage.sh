#!/usr/bin/env bash
# Line coverage of src/ by the whole test suite: builds build-cov/ with gcc's coverage counters,
# runs every test on a private X display and prints gcovr's summary (the report is kept in
# build-cov/coverage.txt). Options after the script's name go to ctest (for example -R Startup).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
command -v gcovr >/dev/null || { sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo; $sudo apt-get install -y -qq gcovr >/dev/null; }

cmake -S . -B build-cov -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILO_COVERAGE=ON >/dev/null
cmake --build build-cov -j"$(nproc)"
find build-cov -name '*.gcda' -delete
tools/with-display.sh ctest --test-dir build-cov -j2 "$@" >build-cov/ctest.log 2>&1 || true
tail -n 3 build-cov/ctest.log
gcovr --root . --filter 'src/' --object-directory build-cov -j "$(nproc)" \
    --print-summary --txt build-cov/coverage.txt build-cov | tail -n 3
