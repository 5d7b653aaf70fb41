#!/usr/bin/env bash
# The shared library's interface, checked on the library as users build it
# (shared, with debug information for abidw):
# - `nm -D --defined-only` lists exactly the functions bake3ds.h declares
#   with BAKE3DS_API: no C++ name, nothing of the platform unit or the
#   standard library;
# - abidiff finds no change, against the baseline abi/libbake3ds.abi, to a
#   function or to a type the header defines. Added functions pass. Any
#   other change needs a new baseline in the same commit (--update), and an
#   incompatible one a new major version.
#
#   check_interface.sh SOURCE_DIR BUILD_DIR [--update]
#
# Exit status 77 (skipped) only when abigail-tools is missing, after the
# export check has passed.
set -euo pipefail
src=$1 build=$2 update=${3:-}
baseline=$src/abi/libbake3ds.abi
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_SHARED_LIBS=ON -DBAKE3DS_TESTS=OFF >/dev/null
cmake --build "$build" --target bake3ds_library -j2 >/dev/null
library=$(readlink -f "$build/libbake3ds.so")

declared=$(grep '^BAKE3DS_API ' "$src/include/bake3ds/bake3ds.h" | grep -o 'bake3ds_[a-z0-9_]*(' | tr -d '(' | sort)
exported=$(nm -D --defined-only "$library" | awk '{print $3}' | sort)
if [ "$declared" != "$exported" ]; then
    echo "FAIL: $(basename "$library") exports other names than bake3ds.h declares:"
    diff <(echo "$declared") <(echo "$exported") | sed -n 's/^< /  not exported: /p; s/^> /  exported, not declared: /p'
    exit 1
fi
echo "$(basename "$library"): exports the $(echo "$exported" | wc -l) functions bake3ds.h declares, nothing else"

if ! command -v abidw >/dev/null 2>&1 || ! command -v abidiff >/dev/null 2>&1; then
    echo "abidw and abidiff are missing (Debian abigail-tools): the comparison with the baseline is skipped"
    exit 77
fi
current=$build/libbake3ds.abi
abidw --headers-dir "$src/include/bake3ds" --drop-private-types --no-corpus-path --no-comp-dir-path \
    --exported-interfaces-only --short-locs "$library" >"$current"
if [ "$update" = --update ]; then
    cp "$current" "$baseline"
    echo "baseline written: $baseline"
    exit 0
fi
status=0
abidiff --no-added-syms "$baseline" "$current" || status=$?
if [ "$status" != 0 ]; then
    echo "FAIL: the interface differs from the baseline (abidiff status $status, above). A compatible"
    echo "change: write a new baseline with $0 $src $build --update; an incompatible"
    echo "one needs a new major version (BAKE3DS_VERSION_MAJOR) too."
    exit 1
fi
echo "abidiff against $(basename "$baseline"): no change to the interface's functions and types"
