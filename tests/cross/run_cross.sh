#!/usr/bin/env bash
# The same bytes on every platform: cross-builds the converter statically
# for i686 (32-bit x86, where floats would otherwise go through the x87),
# aarch64 and s390x (big-endian) Linux and runs each build under
# qemu-user-static; builds it for 32-bit Windows with mingw-w64 i686 and
# runs that under 32-bit wine. Each converts the sample, every corpus file
# (compared with the corpus's expected outcomes) and the adversarial files
# (compared with the native build: header, messages, exit status).
# Usage: tests/cross/run_cross.sh [NATIVE_BUILD_DIR]   (default build)
# Exit status 1 when an install that was tried failed or any comparison
# failed; 77 only when a compiler or qemu cannot be had here (then the
# platforms that could be had were still compared).
set -uo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
native_build=${1:-build}
source tests/same_as_native.sh # and tests/expected_outcomes.sh
source tests/windows/wine.sh
bash tests/packages.sh cross || exit 1

cmake --build "$native_build" -j2 --target bake3ds write_sample write_adversarial >/dev/null || exit 1
native_cmd=("$root/$native_build/bake3ds")
work=$(mktemp -d)
trap 'wine_stop; rm -rf "$work"' EXIT
"$root/$native_build/examples/write_sample" "$work/sample.3ds" || exit 1
mkdir -p "$work/adversarial"
"$root/$native_build/write_adversarial" "$work/adversarial" >"$work/adversarial.txt" || exit 1
corpus=$root/../shared/corpus
[ -d "$corpus" ] || echo "the corpus folder ../shared/corpus is absent: only the sample and the adversarial files are compared"

failures=0 skipped=0 summary=""
# Prints a platform's outcome now and again in the closing summary.
report() {
    echo "$1"
    summary="$summary$1"$'\n'
}

# Builds the converter with the configure preset NAME (CMakePresets.json)
# into build-NAME; false on failure.
cross_build() {
    local name=$1 start=$SECONDS
    if ! cmake --preset "$name" >"$work/build-$name.log" 2>&1 \
        || ! cmake --build "build-$name" -j2 --target bake3ds >>"$work/build-$name.log" 2>&1; then
        tail -n 30 "$work/build-$name.log" >&2
        report "FAIL: $name: the cross build failed"
        failures=$((failures + 1))
        return 1
    fi
    echo "$name: built in $((SECONDS - start)) s"
}

# Runs other_cmd over every input beside the native build and reports.
compare_platform() {
    local name=$1 start=$SECONDS
    san_start "$work/$name"
    san_input "$work/sample.3ds" sample.3ds && san_compare sample.3ds
    local file description
    while read -r file description <&3; do
        san_input "$work/adversarial/$file" "$file" && san_compare "$file"
        rm -f "$work/$name/native/$file" "$work/$name/other/$file"
    done 3<"$work/adversarial.txt"
    local listed=0 matched=0
    if [ -d "$corpus" ]; then
        expected_outcomes "$name" "$corpus" "$work/$name/corpus" "${other_cmd[@]}" || san_fail "$name: corpus files not as expected"
        listed=$eo_listed matched=$eo_matched
    fi
    local total=$((san_compared + listed)) identical=$((san_identical + matched))
    report "$name: $identical of $total identical: $san_identical of $san_compared beside the native build (the sample, the adversarial files), $matched of $listed corpus files as expected, $((SECONDS - start)) s"
    [ "$san_failures" = 0 ] || failures=$((failures + 1))
}

for arch in i686 aarch64 s390x; do
    qemu=qemu-$arch-static
    [ "$arch" = i686 ] && qemu=qemu-i386-static
    if ! command -v "$arch-linux-gnu-g++" >/dev/null || ! command -v "$qemu" >/dev/null; then
        report "$arch: skipped: $arch-linux-gnu-g++ or $qemu cannot be had here"
        skipped=$((skipped + 1))
        continue
    fi
    cross_build "$arch" || continue
    other_cmd=("$qemu" "$root/build-$arch/bake3ds")
    compare_platform "$arch"
done

# Whether this machine runs 32-bit x86 programs at all, which 32-bit wine
# needs: some kernels and sandboxes refuse them ("Exec format error").
runs_i386() {
    if [ -x build-i686/bake3ds ]; then
        build-i686/bake3ds >/dev/null 2>&1 </dev/null
        [ $? != 126 ]
    else
        [ "$(dpkg --print-architecture 2>/dev/null)" = amd64 ]
    fi
}

if ! command -v i686-w64-mingw32-g++ >/dev/null; then
    report "mingw-w64-i686: skipped: i686-w64-mingw32-g++ cannot be had here"
    skipped=$((skipped + 1))
elif cross_build windows-i686; then
    # wine32 is installed only where it can run: where it cannot, Debian's
    # /usr/bin/wine would still choose it over the 64-bit loader
    if ! runs_i386; then
        report "mingw-w64-i686: built, not run: this machine refuses 32-bit x86 programs (Exec format error), so 32-bit wine cannot run here"
    elif ! bash tests/packages.sh wine32; then
        report "FAIL: mingw-w64-i686: 32-bit wine could not be installed"
        failures=$((failures + 1))
    elif ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
        report "mingw-w64-i686: built, not run: 32-bit wine (Debian's wine32:i386) cannot be had here"
    else
        wine_start "$root/build-windows-i686/wineprefix" 32
        other_cmd=("${wine_cmd[@]}" "$root/build-windows-i686/bake3ds.exe")
        eo_crlf=1 # a Windows program ends its lines with "\r\n"
        compare_platform mingw-w64-i686
        eo_crlf=
    fi
fi

echo "--- cross builds against the native build"
printf '%s' "$summary"
echo "cross check: $SECONDS s in all, installs and builds included"
[ "$failures" = 0 ] || exit 1
[ "$skipped" = 0 ] || exit 77
exit 0
