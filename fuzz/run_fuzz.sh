#!/usr/bin/env bash
# Builds the fuzz target with clang and fuzzes the conversion for a bounded
# time (seconds, default 90). Seeds: the fixture builder's files, the corpus
# files of ../shared/corpus and the stored regression inputs. Fails on any
# finding (a crash, a sanitizer report, a unit slower than 60 s or above 4 GiB);
# the input is left in build-fuzz/findings/ and belongs in
# fuzz/regressions/, which the test suite replays.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-90}
if ! command -v clang++ >/dev/null 2>&1; then
    echo "clang++ is not installed: no fuzzing" >&2
    exit 1
fi
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBAKE3DS_FUZZ=ON -DBAKE3DS_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_convert make_seeds
rm -rf build-fuzz/seeds build-fuzz/findings
mkdir -p build-fuzz/seeds build-fuzz/findings build-fuzz/corpus
ASAN_OPTIONS=detect_leaks=0 build-fuzz/fuzz/make_seeds build-fuzz/seeds build-fuzz/chunk_ids.dict
if [ -d ../shared/corpus ]; then
    find ../shared/corpus -type f -iname '*.3ds' -size -65537c -exec cp {} build-fuzz/seeds/ \;
fi
cp fuzz/regressions/* build-fuzz/seeds/ 2>/dev/null || true
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    build-fuzz/fuzz/fuzz_convert -max_total_time="$seconds" -max_len=65536 -timeout=60 -rss_limit_mb=4096 \
    -dict=build-fuzz/chunk_ids.dict -artifact_prefix=build-fuzz/findings/ -print_final_stats=1 \
    build-fuzz/corpus build-fuzz/seeds
echo "fuzzing for ${seconds}s found nothing"
