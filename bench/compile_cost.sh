#!/usr/bin/env bash
# What a generated header costs to compile: for each .3ds file, converts it
# and compiles one source that includes the header (and takes Draw()'s
# address, so that the whole class is compiled) with g++ -O0, g++ -O2 and
# clang++ -O2, printing the wall time and the peak memory of each compile
# (/usr/bin/time -v) as a Markdown table. Each compile runs once.
# Usage: bench/compile_cost.sh BUILD_FOLDER FILE.3ds...
# (BUILD_FOLDER holds the converter, bake3ds)
set -euo pipefail
if [ $# -lt 2 ]; then
    echo "usage: $0 BUILD_FOLDER FILE.3ds..." >&2
    exit 2
fi
tool=$(cd "$1" && pwd)/bake3ds
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "| scene | header | g++ -O0 | g++ -O2 | clang++ -O2 |"
echo "| --- | --- | --- | --- | --- |"
for input in "$@"; do
    name=$(basename "$input" | sed 's/\.[^.]*$//')
    cp "$input" "$work/$name.3ds"
    "$tool" "$work/$name.3ds" >/dev/null
    class=C$(echo "$name" | sed 's/[^A-Za-z0-9_]/_/g')_3ds
    printf '#include <GL/gl.h>\n#include "%s.h"\nvoid (*p_draw)() = &%s::Draw;\n' "$name" "$class" >"$work/use.cpp"
    row="| $name | $(( $(stat -c %s "$work/$name.h") / 1024 )) KiB"
    for compiler in "g++ -O0" "g++ -O2" "clang++ -O2"; do
        /usr/bin/time -v $compiler -std=c++17 -c "$work/use.cpp" -o "$work/use.o" 2>"$work/time.txt"
        seconds=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time.txt" |
            awk -F: '{ if (NF == 3) print $1 * 3600 + $2 * 60 + $3; else print $1 * 60 + $2 }')
        kib=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time.txt")
        row="$row | $seconds s, $(( kib / 1024 )) MiB"
    done
    echo "$row |"
done
