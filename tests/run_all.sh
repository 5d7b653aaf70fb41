#!/usr/bin/env bash
# Builds everything and runs every test: the whole suite in a plain build,
# and the static checks over it (tests/static_checks.sh), then the suite
# again under AddressSanitizer and UndefinedBehaviorSanitizer, then the
# library's thread test under ThreadSanitizer. The builds are the configure
# presets of CMakePresets.json.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tests/packages.sh test
bash tests/packages.sh web
bash tests/packages.sh lint
jobs=$(nproc)

# ctest counts a skipped test (exit status 77) among the passed ones; its
# JUnit file tells them apart, so that the closing lines can say how many
# tests ran and how many were skipped, and which.
ran_total=0 skipped_total=0 skipped_names=""
run_ctest() { # FOLDER LABEL [VARIABLE=VALUE...]; $only, when set, a ctest -R filter
    local folder=$1 label=$2
    shift 2
    local junit=$PWD/$folder/ctest-junit.xml
    rm -f "$junit"
    (cd "$folder" && env "$@" ctest --output-on-failure -j"$jobs" --output-junit "$junit" ${only:+-R "$only"})
    local tests skipped names
    tests=$(grep -o -m 1 'tests="[0-9]*"' "$junit" | tr -dc 0-9)
    skipped=$(grep -o -m 1 'skipped="[0-9]*"' "$junit" | tr -dc 0-9)
    names=$({ grep -B 1 '<skipped' "$junit" || true; } | sed -n 's/.*<testcase name="\([^"]*\)".*/\1/p' | paste -s -d ' ' -)
    echo "$label: $((tests - skipped)) of $tests tests ran and passed, $skipped skipped${names:+: $names}"
    ran_total=$((ran_total + tests - skipped)) skipped_total=$((skipped_total + skipped))
    [ -n "$names" ] && skipped_names="$skipped_names$label: $names"$'\n'
    return 0
}

cmake --preset default
cmake --build build -j"$jobs"
run_ctest build plain

# clang-format, clang-tidy and cppcheck; a finding fails the run at its end,
# once the sanitizer builds have been tested too; 77: a tool is missing
static_status=0
bash tests/static_checks.sh build || static_status=$?

cmake --preset sanitize
cmake --build build-sanitize -j"$jobs"
run_ctest build-sanitize "under the sanitizers" ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1

# two threads converting at once, the one program built for it
cmake --preset tsan
cmake --build build-tsan -j"$jobs" --target bake3ds_thread_tests
only='^Library\.' run_ctest build-tsan "under ThreadSanitizer" TSAN_OPTIONS=halt_on_error=1

if [ "$skipped_total" = 0 ]; then
    echo "all tests passed, plain, under the sanitizers and under ThreadSanitizer"
else
    echo "not every test ran: $skipped_total skipped, each saying why above:"
    printf '%s' "$skipped_names"
fi
echo "tests: $ran_total passed, 0 failed, $skipped_total skipped"
case $static_status in
    0) echo "static checks: no findings" ;;
    77) echo "static checks: skipped, a tool is missing (said above)" ;;
    *) echo "static checks: failed, their findings above"; exit 1 ;;
esac
