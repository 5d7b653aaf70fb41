#!/usr/bin/env bash
# Cross-builds the converter for Windows with mingw-w64 and runs bake3ds.exe
# under wine over the sample, every corpus file and the adversarial files:
# each header must be byte-identical to the Linux build's, with the same
# messages (after "\r\n" -> "\n") and exit status; then the driver's error
# cases. The headers of the sample and the corpus are then compiled with
# the mingw-w64 compiler after <windows.h> and <GL/gl.h>, as C++98 and
# C++17, with the project's warnings, and cpack's zip is checked for what it
# must hold.
# Usage: tests/windows/run_wine.sh [LINUX_BUILD_DIR]   (default build)
# Exit status 77 when mingw-w64 or wine cannot be had: the check is skipped.
set -uo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
linux_build=${1:-build}
bash tests/packages.sh windows
if ! command -v x86_64-w64-mingw32-g++ >/dev/null || ! command -v wine >/dev/null; then
    echo "skipped: x86_64-w64-mingw32-g++ or wine is missing" >&2
    exit 77
fi
start=$(date +%s)
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
    -DBAKE3DS_TESTS=OFF >/dev/null || exit 1
cmake --build build-windows -j2 >/dev/null || exit 1
cmake --build "$linux_build" -j2 --target bake3ds write_sample write_adversarial >/dev/null || exit 1
exe=$root/build-windows/bake3ds.exe
linux=$root/$linux_build/bake3ds

export WINEDEBUG=-all WINEPREFIX=$root/build-windows/wineprefix
work=$(mktemp -d)
trap 'wineserver -k >/dev/null 2>&1; rm -rf "$work"' EXIT
wineserver -p >/dev/null 2>&1 # one server for every run
wine cmd /c exit >/dev/null 2>&1 # the prefix is made once, before the timed runs

compared=0 identical=0 failures=0
mkdir -p "$work/headers"
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# Converts $1 (a path relative to $work/lin and $work/win) with both builds.
compare() {
    local name=$1 lin_status win_status
    (cd "$work/lin" && "$linux" "$name" >out 2>err); lin_status=$?
    (cd "$work/win" && wine "$exe" "$name" >out 2>err); win_status=$?
    compared=$((compared + 1))
    local header=${name%.*}.h
    if [ "$lin_status" != "$win_status" ]; then fail "$name: exit $lin_status on Linux, $win_status under wine"; return; fi
    if ! cmp -s <(tr -d '\r' <"$work/win/out") "$work/lin/out" || ! cmp -s <(tr -d '\r' <"$work/win/err") "$work/lin/err"; then
        fail "$name: messages differ"; return
    fi
    if [ -f "$work/lin/$header" ] || [ -f "$work/win/$header" ]; then
        cmp -s "$work/lin/$header" "$work/win/$header" || { fail "$name: headers differ"; return; }
        if [ -f "$work/lin/$header" ] && [ -n "${keep_headers:-}" ]; then
            cp "$work/lin/$header" "$work/headers/h$compared.h"
        fi
    fi
    identical=$((identical + 1))
}

inputs() { # copies one input into both folders under a name
    mkdir -p "$work/lin" "$work/win"; cp "$1" "$work/lin/$2"; cp "$1" "$work/win/$2"
}
"$root/$linux_build/examples/write_sample" "$work/sample.3ds"
# the sample's and the corpus's headers are compiled for Windows at the end;
# the adversarial files' are not (some are hundreds of megabytes of text)
keep_headers=1
inputs "$work/sample.3ds" sample.3ds; compare sample.3ds
# a name with letters outside ASCII
inputs "$work/sample.3ds" "caf$(printf '\xc3\xa9')-$(printf '\xc3\xbc').3ds"; compare "caf$(printf '\xc3\xa9')-$(printf '\xc3\xbc').3ds"
corpus=$root/../shared/corpus
if [ -d "$corpus" ]; then
    n=0
    while IFS= read -r file; do
        n=$((n + 1)); inputs "$file" "c$n.3ds"; compare "c$n.3ds"; rm -f "$work"/lin/c$n.* "$work"/win/c$n.*
    done < <(find "$corpus" -type f -iname '*.3ds' | sort)
else
    echo "the corpus folder ../shared/corpus is absent: only the sample and the error cases are compared"
fi

# the files made to hurt a reader
keep_headers=
mkdir -p "$work/adversarial"
"$root/$linux_build/write_adversarial" "$work/adversarial" >"$work/adversarial.txt" || exit 1
while read -r file description; do
    inputs "$work/adversarial/$file" "$file"; compare "$file"; rm -f "$work/lin/${file%.3ds}".* "$work/win/${file%.3ds}".*
done <"$work/adversarial.txt"

# the driver's error cases
printf 'xx' >"$work/broken"; inputs "$work/broken" broken.3ds; compare broken.3ds
compare missing.3ds
mkdir -p "$work/lin/folder.3ds" "$work/win/folder.3ds"; compare folder.3ds
inputs "$work/sample.3ds" d.3ds; mkdir -p "$work/lin/d.h" "$work/win/d.h"; compare d.3ds
inputs "$work/sample.3ds" hard.3ds; ln "$work/lin/hard.3ds" "$work/lin/hard.h"; ln "$work/win/hard.3ds" "$work/win/hard.h"
compare hard.3ds
cmp -s "$work/win/hard.3ds" "$work/sample.3ds" || fail "hard.3ds: the input was overwritten"
inputs "$work/sample.3ds" scene.h; compare scene.h
for args in "" "a.3ds b.3ds"; do
    (cd "$work/lin" && "$linux" $args >out 2>err); lin_status=$?
    (cd "$work/win" && wine "$exe" $args >out 2>err); win_status=$?
    compared=$((compared + 1))
    if [ "$lin_status" = "$win_status" ] && cmp -s <(tr -d '\r' <"$work/win/err") "$work/lin/err"; then
        identical=$((identical + 1))
    else fail "arguments '$args': exit $lin_status / $win_status"; fi
done
# a drive-relative path, on wine's drive C
mkdir -p "$WINEPREFIX/drive_c/bake3ds-test"; cp "$work/sample.3ds" "$WINEPREFIX/drive_c/bake3ds-test/drive.3ds"
(cd "$WINEPREFIX/drive_c/bake3ds-test" && wine "$exe" 'C:drive.3ds' >/dev/null 2>&1) || fail "C:drive.3ds did not convert"
grep -q '^class Cdrive_3ds {' "$WINEPREFIX/drive_c/bake3ds-test/drive.h" || fail "C:drive.3ds: class is not Cdrive_3ds"

# the release zip holds the converter, its report tool and the CMake package
(cd build-windows && cpack -G ZIP >/dev/null) || fail "cpack could not write the Windows zip"
zip=$(ls build-windows/bake3ds-*-win64.zip 2>/dev/null | head -n 1)
if [ -n "$zip" ]; then
    listing=$(cmake -E tar tf "$zip")
    for member in bin/bake3ds.exe bin/bake3ds-info.exe lib/cmake/bake3ds/bake3dsConfig.cmake include/bake3ds/gl_core.h; do
        grep -q "/$member\$" <<<"$listing" || fail "$zip lacks $member"
    done
    echo "cpack: $zip"
else
    fail "no Windows zip was written"
fi

# every header of the sample and the corpus, compiled for Windows
compiled=0
for header in "$work"/headers/*.h; do
    class=$(sed -n 's/^class \(C[A-Za-z0-9_]*\) {$/\1/p' "$header" | head -n 1)
    printf '#include <windows.h>\n#include <GL/gl.h>\n#include "%s"\nint n_Use() { %s::Draw(); return %s::n_Object_Num(); }\n' \
        "$header" "$class" "$class" >"$work/use.cpp"
    for standard in c++98 c++17; do
        x86_64-w64-mingw32-g++ -std=$standard -Wall -Wextra -Wpedantic -Werror -c "$work/use.cpp" -o "$work/use.o" \
            2>"$work/compile.err" || fail "$(basename "$header") ($class) does not compile for Windows as $standard: $(head -c 600 "$work/compile.err")"
        compiled=$((compiled + 1))
    done
done
echo "mingw-w64: $compiled compilations of $(ls "$work"/headers/*.h | wc -l) headers at C++98 and C++17"

echo "wine: $identical of $compared runs identical to Linux (headers, messages, exit statuses), $(( $(date +%s) - start )) s"
[ "$failures" = 0 ]
