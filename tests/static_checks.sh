#!/usr/bin/env bash
# The static checks: every C and C++ source's layout against .clang-format
# (clang-format), and the product code and its tools through clang-tidy
# (.clang-tidy) and cppcheck. Each check prints its findings, then one line
# with their count. Exit status 1 when any count is above 0, 77 when a tool
# is missing (bash tests/packages.sh lint installs them), 2 when BUILD_DIR
# holds no compile_commands.json.
# Usage: tests/static_checks.sh BUILD_DIR   (configured with the default
# preset, which writes compile_commands.json)
set -euo pipefail
if [ $# != 1 ]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
commands=$build/compile_commands.json
if [ ! -f "$commands" ]; then
    echo "$commands is missing: configure with CMAKE_EXPORT_COMPILE_COMMANDS ON (cmake --preset default does)" >&2
    exit 2
fi
missing=""
for tool in clang-format clang-tidy cppcheck; do
    command -v "$tool" >/dev/null 2>&1 || missing="$missing $tool"
done
if [ -n "$missing" ]; then
    echo "static checks skipped:$missing not installed (bash tests/packages.sh lint installs them)"
    exit 77
fi
cd "$root"
jobs=$(nproc)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0

# FILE with one finding a line, NAME, what was checked: prints the findings
# and the count line.
report() {
    local count
    count=$(wc -l <"$1")
    cat "$1"
    echo "$2: $count findings ($3)"
    [ "$count" = 0 ] || failed=1
}

# --- clang-format: every C and C++ source of the repository, tests included,
# but for the paths .clang-format-ignore names.
start=$SECONDS
mapfile -t ignored < <(grep -v -e '^#' -e '^[[:space:]]*$' .clang-format-ignore)
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    # untracked sources too, so that a new file is checked before it is added
    git ls-files --cached --others --exclude-standard -- '*.c' '*.h' '*.cpp' '*.hpp'
else
    find . -type f \( -name '*.c' -o -name '*.h' -o -name '*.cpp' -o -name '*.hpp' \) | sed 's|^\./||'
fi | sort -u | while IFS= read -r file; do
    [ -f "$file" ] || continue
    for pattern in "${ignored[@]}"; do
        [[ $file == $pattern ]] && continue 2 # the pattern unquoted: a glob
    done
    printf '%s\n' "$file"
done >"$scratch/sources"
# one process after the other: parallel ones would mix their lines, and the
# whole tree takes about two seconds
format_status=0
xargs -a "$scratch/sources" -d '\n' clang-format --dry-run -Werror >"$scratch/format.out" 2>&1 || format_status=$?
# one finding a place where the layout differs; the file with its count
grep -E '^[^ ].*:[0-9]+:[0-9]+: error: .*\[-Wclang-format-violations\]$' "$scratch/format.out" |
    cut -d: -f1 | sort | uniq -c | awk '{ print "\t" $2 ": " $1 }' >"$scratch/format.files" || true
format_count=$(grep -c -E ': error: .*\[-Wclang-format-violations\]$' "$scratch/format.out" || true)
if [ "$format_status" != 0 ] && [ "$format_count" = 0 ]; then
    cat "$scratch/format.out"
    echo "clang-format: failed to run"
    failed=1
else
    cat "$scratch/format.files"
    echo "clang-format: $format_count findings (in $(wc -l <"$scratch/format.files") of" \
        "$(wc -l <"$scratch/sources") files, $((SECONDS - start)) s)"
    [ "$format_count" = 0 ] || failed=1
fi

# --- clang-tidy: every translation unit of the build outside tests/ (the
# converter, the library, the info tool, the fixture, the sample writer, the
# benchmarks and the fuzzer's seed writer), in parallel, each with the flags
# the build gives it. The tests are left out: they do on purpose what some
# checks forbid (they test a scene after moving from it), and the code
# gtest's TEST macros expand into is gtest's, not the project's.
start=$SECONDS
sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$commands" |
    awk -v root="$root/" -v tests="$root/tests/" -v build="$build/" \
        'index($0, root) == 1 && index($0, tests) != 1 && index($0, build) != 1 && !seen[$0]++' >"$scratch/units"
mkdir "$scratch/tidy"
# FILE: its diagnostics in a file of their own; a run that fails without a
# diagnostic (a crash) is a finding of its own
tidy_one() {
    local out
    out="$scratch/tidy/$(printf '%s' "$1" | tr / _).out"
    if ! clang-tidy -p "$build" --quiet "$1" >"$out" 2>&1; then
        grep -q -E ': (warning|error): .* \[[^] ]+\]$' "$out" ||
            echo "$1:1:1: error: clang-tidy stopped without a diagnostic [static-checks]" >>"$out"
    fi
}
export -f tidy_one
export build scratch
xargs -a "$scratch/units" -d '\n' -n 1 -P "$jobs" bash -c 'tidy_one "$1"' tidy_one
# a header's finding is reported by each unit that includes it: counted once
cat "$scratch"/tidy/*.out | grep -E '^[^ ].*:[0-9]+:[0-9]+: (warning|error): .* \[[^] ]+\]$' |
    sort -u >"$scratch/tidy.findings" || true
report "$scratch/tidy.findings" clang-tidy "$(wc -l <"$scratch/units") translation units, $((SECONDS - start)) s"

# --- cppcheck: the same translation units, through a copy of the build's
# compile_commands.json with only their entries.
start=$SECONDS
mkdir "$scratch/cppcheck"
awk -v root="$root/" -v tests="$root/tests/" -v build="$build/" '
    /^\{/ { inside = 1; keep = 1; block = "" }
    inside { block = block $0 "\n" }
    inside && /^ *"file": "/ {
        path = $0
        sub(/^ *"file": "/, "", path)
        sub(/",?$/, "", path)
        if(index(path, root) != 1 || index(path, tests) == 1 || index(path, build) == 1)
            keep = 0
    }
    /^\}/ {
        inside = 0
        if(keep) {
            sub(/,?\n$/, "", block)
            kept[n++] = block
        }
    }
    END {
        print "["
        for(i = 0; i < n; i++)
            print kept[i] (i + 1 < n ? "," : "")
        print "]"
    }' "$commands" >"$scratch/cppcheck/compile_commands.json"
cppcheck_status=0
cppcheck --project="$scratch/cppcheck/compile_commands.json" --enable=warning,performance,portability \
    --error-exitcode=1 --inline-suppr -q -j"$jobs" --template='{file}:{line}:{column}: {severity}: {message} [{id}]' \
    >"$scratch/cppcheck.out" 2>&1 || cppcheck_status=$?
grep -E '^[^ ].*:[0-9]+:[0-9]+: [a-z]+: .* \[[A-Za-z0-9_]+\]$' "$scratch/cppcheck.out" | sort -u \
    >"$scratch/cppcheck.findings" || true
if [ "$cppcheck_status" != 0 ] && [ ! -s "$scratch/cppcheck.findings" ]; then
    cat "$scratch/cppcheck.out"
    echo "cppcheck: failed to run"
    failed=1
else
    entries=$(grep -c '^ *"file": ' "$scratch/cppcheck/compile_commands.json")
    report "$scratch/cppcheck.findings" cppcheck "$entries compile commands, $((SECONDS - start)) s"
fi

exit "$failed"
