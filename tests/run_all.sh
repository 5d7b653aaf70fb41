#!/usr/bin/env bash
# Builds everything and runs every test: the whole suite in a plain build,
# then again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tests/packages.sh test
bash tests/packages.sh web
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBAKE3DS_TESTS=ON
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBAKE3DS_SANITIZE=ON
cmake --build build-sanitize -j"$jobs"
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j"$jobs")
echo "all tests passed, plain and under the sanitizers"
