#!/usr/bin/env bash
# Builds the fuzz targets with clang (installing it where missing, as the
# other scripts install what they need) and fuzzes each for its share of a
# bounded time (seconds, default 90):
#   fuzz_convert       the conversion under small limits, 70 % of the time
#   fuzz_convert_full  the conversion under the converter's own limits, 20 %
#   fuzz_float_format  the float formatter against snprintf("%f"), 10 %
# Seeds: the fixture builder's files, the corpus files of ../shared/corpus
# and the stored regression inputs. After each target it prints libFuzzer's
# final stats and one line "TARGET: N executions in S s, R/s, nothing found".
# Fails on any finding (a crash, a sanitizer report, a unit slower than 60 s
# or above 4 GiB); the input is left in build-fuzz/findings/TARGET/ and
# belongs in fuzz/regressions/, which the test suite replays.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-90}
bash tests/packages.sh fuzz
if ! command -v clang++ >/dev/null 2>&1; then
    echo "clang++ is not installed and could not be: no fuzzing" >&2
    exit 1
fi
cmake --preset fuzz >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_convert fuzz_convert_full fuzz_float_format make_seeds
rm -rf build-fuzz/seeds build-fuzz/findings
mkdir -p build-fuzz/seeds build-fuzz/findings
ASAN_OPTIONS=detect_leaks=0 build-fuzz/fuzz/make_seeds build-fuzz/seeds build-fuzz/chunk_ids.dict
if [ -d ../shared/corpus ]; then
    find ../shared/corpus -type f -iname '*.3ds' -size -65537c -exec cp {} build-fuzz/seeds/ \;
fi
cp fuzz/regressions/*.3ds build-fuzz/seeds/ 2>/dev/null || true

found=0
# run_target TARGET SHARE_SECONDS MAX_LEN [libFuzzer options...]
run_target() {
    local target=$1 share=$2 max_len=$3
    shift 3
    local log=build-fuzz/$target.log
    mkdir -p "build-fuzz/corpus/$target" "build-fuzz/findings/$target"
    local start status=0
    start=$(date +%s%N)
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "build-fuzz/fuzz/$target" -max_total_time="$share" -max_len="$max_len" -timeout=60 \
        -rss_limit_mb=4096 -artifact_prefix="build-fuzz/findings/$target/" -print_final_stats=1 \
        "$@" "build-fuzz/corpus/$target" >"$log" 2>&1 || status=$?
    local elapsed_ms=$((($(date +%s%N) - start) / 1000000))
    [ "$elapsed_ms" -gt 0 ] || elapsed_ms=1
    grep '^stat::' "$log" || tail -n 40 "$log"
    local runs
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    runs=${runs:-0}
    local outcome="nothing found"
    if [ "$status" != 0 ] || [ -n "$(ls -A "build-fuzz/findings/$target")" ]; then
        outcome="FOUND (exit status $status): see $log and build-fuzz/findings/$target/"
        tail -n 60 "$log"
        found=1
    fi
    echo "$target: $runs executions in $(((elapsed_ms + 500) / 1000)) s, $((runs * 1000 / elapsed_ms))/s, $outcome"
}

share_convert=$((seconds * 7 / 10))
share_full=$((seconds * 2 / 10))
share_float=$((seconds - share_convert - share_full))
[ "$share_convert" -ge 1 ] || share_convert=1
[ "$share_full" -ge 1 ] || share_full=1
[ "$share_float" -ge 1 ] || share_float=1
# the small limits make small inputs the useful ones
run_target fuzz_convert "$share_convert" 4096 -dict=build-fuzz/chunk_ids.dict build-fuzz/seeds
run_target fuzz_convert_full "$share_full" 65536 -dict=build-fuzz/chunk_ids.dict build-fuzz/seeds
run_target fuzz_float_format "$share_float" 4
if [ "$found" != 0 ]; then
    echo "fuzzing found something" >&2
    exit 1
fi
echo "fuzzing for ${seconds}s found nothing"
