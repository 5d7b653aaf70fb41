#!/usr/bin/env bash
# Cross-builds the converter for Windows with mingw-w64 and runs bake3ds.exe
# under wine: the sample (also under a name outside ASCII) and the
# adversarial files must give the Linux build's header bytes, messages
# (after "\r\n" -> "\n") and exit status; every corpus file, converted
# under its real name, the corpus's expected outcomes; then the driver's
# error cases. bake3ds-info.exe must give the Linux build's text and exit
# status. The headers of the sample and the corpus are then compiled with
# the mingw-w64 compiler after <windows.h> and <GL/gl.h>, as C++98 and
# C++17, with the project's warnings, and cpack's zip is checked for what it
# must hold. Every converter run reads /dev/null (wine may read its standard
# input), and the run fails unless every input was compared.
# Usage: tests/windows/run_wine.sh [LINUX_BUILD_DIR]   (default build)
# Exit status 77 when mingw-w64 or wine cannot be had here; 1 when an
# install that was tried failed or any comparison failed.
set -uo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
linux_build=${1:-build}
source tests/same_as_native.sh # and tests/expected_outcomes.sh
source tests/windows/wine.sh
bash tests/packages.sh windows || exit 1
if ! command -v x86_64-w64-mingw32-g++ >/dev/null || ! command -v wine >/dev/null; then
    echo "skipped: x86_64-w64-mingw32-g++ or wine is missing" >&2
    exit 77
fi
start=$(date +%s)
cmake --preset windows >/dev/null || exit 1
cmake --build build-windows -j2 >/dev/null || exit 1
cmake --build "$linux_build" -j2 --target bake3ds bake3ds-info write_sample write_adversarial >/dev/null || exit 1

work=$(mktemp -d)
trap 'wine_stop; rm -rf "$work"' EXIT
wine_start "$root/build-windows/wineprefix" 64

native_cmd=("$root/$linux_build/bake3ds") other_cmd=("${wine_cmd[@]}" "$root/build-windows/bake3ds.exe")
san_start "$work"
inputs=0 # every input counted here must be compared
mkdir -p "$work/headers"
"$root/$linux_build/examples/write_sample" "$work/sample.3ds" || exit 1
non_ascii="caf$(printf '\xc3\xa9')-$(printf '\xc3\xbc').3ds"
# the sample's and the corpus's headers are compiled for Windows at the end;
# the adversarial files' are not (some are hundreds of megabytes of text)
san_keep=$work/headers
san_input "$work/sample.3ds" sample.3ds; inputs=$((inputs + 1)); san_compare sample.3ds
# a name with letters outside ASCII
san_input "$work/sample.3ds" "$non_ascii"; inputs=$((inputs + 1)); san_compare "$non_ascii"
san_keep=

corpus=$root/../shared/corpus
eo_compared=0 eo_matched=0
if [ -d "$corpus" ]; then
    eo_keep=$work/headers eo_crlf=1 # a Windows program ends its lines with "\r\n"
    expected_outcomes wine "$corpus" "$work/corpus" "${other_cmd[@]}" || san_fail "corpus files not as expected under wine"
    eo_keep= eo_crlf=
    inputs=$((inputs + $(find "$corpus" -type f -iname '*.3ds' | wc -l)))
else
    echo "the corpus folder ../shared/corpus is absent: only the sample, the adversarial files and the error cases are compared"
fi

# the files made to hurt a reader
mkdir -p "$work/adversarial"
"$root/$linux_build/write_adversarial" "$work/adversarial" >"$work/adversarial.txt" || exit 1
while read -r file description <&3; do
    inputs=$((inputs + 1))
    san_input "$work/adversarial/$file" "$file" && san_compare "$file"
    rm -f "$work/native/$file" "$work/other/$file"
done 3<"$work/adversarial.txt"

# the driver's error cases
printf 'xx' >"$work/broken"; san_input "$work/broken" broken.3ds; san_compare broken.3ds
san_compare missing.3ds
mkdir -p "$work/native/folder.3ds" "$work/other/folder.3ds"; san_compare folder.3ds
san_input "$work/sample.3ds" d.3ds; mkdir -p "$work/native/d.h" "$work/other/d.h"; san_compare d.3ds
san_input "$work/sample.3ds" hard.3ds; ln "$work/native/hard.3ds" "$work/native/hard.h"; ln "$work/other/hard.3ds" "$work/other/hard.h"
san_compare hard.3ds
cmp -s "$work/other/hard.3ds" "$work/sample.3ds" || san_fail "hard.3ds: the input was overwritten"
san_input "$work/sample.3ds" scene.h; san_compare scene.h
san_compare
san_compare a.3ds b.3ds
inputs=$((inputs + 8))
# a drive-relative path, on wine's drive C
mkdir -p "$WINEPREFIX/drive_c/bake3ds-test"; cp "$work/sample.3ds" "$WINEPREFIX/drive_c/bake3ds-test/drive.3ds"
(cd "$WINEPREFIX/drive_c/bake3ds-test" && "${wine_cmd[@]}" "$root/build-windows/bake3ds.exe" 'C:drive.3ds' >/dev/null 2>&1 </dev/null) || san_fail "C:drive.3ds did not convert"
grep -q '^class Cdrive_3ds {' "$WINEPREFIX/drive_c/bake3ds-test/drive.h" || san_fail "C:drive.3ds: class is not Cdrive_3ds"

# bake3ds-info.exe: the same text and exit status as on Linux, for a name
# outside ASCII (the wide command line), two corpus files and a refused file
native_cmd=("$root/$linux_build/bake3ds-info") other_cmd=("${wine_cmd[@]}" "$root/build-windows/bake3ds-info.exe")
san_compare "$non_ascii"
printf '\x4d\x4d\x00\x00\x00\x00' >"$work/zero"; san_input "$work/zero" zero-length.3ds; san_compare zero-length.3ds
inputs=$((inputs + 2))
if [ -d "$corpus" ]; then
    for path in $(grep -v '^#' "$corpus/expected-outcomes.txt" | sed -n '1p;$p' | awk '{print $4}'); do
        san_input "$corpus/$path" "${path##*/}"; san_compare "${path##*/}"; inputs=$((inputs + 1))
    done
fi

# the release zip holds the converter, its report tool and the CMake package
(cd build-windows && cpack -G ZIP >/dev/null) || san_fail "cpack could not write the Windows zip"
zip=$(ls build-windows/bake3ds-*-win64.zip 2>/dev/null | head -n 1)
if [ -n "$zip" ]; then
    listing=$(cmake -E tar tf "$zip")
    for member in bin/bake3ds.exe bin/bake3ds-info.exe lib/cmake/bake3ds/bake3dsConfig.cmake include/bake3ds/gl_core.h; do
        grep -q "/$member\$" <<<"$listing" || san_fail "$zip lacks $member"
    done
    echo "cpack: $zip"
else
    san_fail "no Windows zip was written"
fi

# every header of the sample and the corpus, compiled for Windows
compiled=0
for header in "$work"/headers/*.h; do
    class=$(sed -n 's/^class \(C[A-Za-z0-9_]*\) {$/\1/p' "$header" | head -n 1)
    printf '#include <windows.h>\n#include <GL/gl.h>\n#include "%s"\nint Use() { %s::Draw(); return %s::n_Object_Num(); }\n' \
        "$header" "$class" "$class" >"$work/use.cpp"
    for standard in c++98 c++17; do
        x86_64-w64-mingw32-g++ -std=$standard -Wall -Wextra -Wpedantic -Werror -c "$work/use.cpp" -o "$work/use.o" \
            2>"$work/compile.err" || san_fail "$(basename "$header") ($class) does not compile for Windows as $standard: $(head -c 600 "$work/compile.err")"
        compiled=$((compiled + 1))
    done
done
echo "mingw-w64: $compiled compilations of $(ls "$work"/headers/*.h | wc -l) headers at C++98 and C++17"

compared=$((san_compared + eo_compared)) identical=$((san_identical + eo_matched))
echo "wine: $identical of $compared runs identical to Linux or as expected (headers, messages, exit statuses), $(( $(date +%s) - start )) s"
[ "$compared" = "$inputs" ] || san_fail "$compared inputs compared of $inputs"
[ "$san_failures" = 0 ]
