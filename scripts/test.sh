#!/usr/bin/env bash
# Checks that includes point down the stack, installs what is missing, builds, and runs
# every test twice: in the normal build and under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/check-includes.sh
scripts/setup.sh
jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DT2V_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DT2V_WERROR=ON -DT2V_SANITIZE=ON -DT2V_BUILD_BENCH=OFF >/dev/null
cmake --build build-sanitize -j "$jobs"
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$jobs")
