#!/usr/bin/env bash
# The converter and bake3ds-info with their stack limited to 64 KiB (ulimit
# -s 64), against the same programs without the limit: the sample, the
# adversarial files (nesting 174762 deep among them) and a corpus file each
# give the same exit status, messages, report and header. The loader keeps
# its nesting and the writer its buffer on the heap, so the stack a file
# needs does not grow with the file.
#
#   bash tests/small_stack.sh BAKE3DS BAKE3DS_INFO WRITE_SAMPLE WRITE_ADVERSARIAL CORPUS SANITIZED
#
# Exits 0 when every run matches, 1 when one does not, 77 (after comparing
# the rest) when the corpus file is absent, and 77 at once in a build under
# AddressSanitizer (SANITIZED 1) whose runtime cannot start in 64 KiB.
set -u
tool=$1 info=$2 write_sample=$3 write_adversarial=$4 corpus=$5 sanitized=$6
# the programs run from inside folders of their own
case $tool in /*) ;; *) tool=$PWD/$tool ;; esac
case $info in /*) ;; *) info=$PWD/$info ;; esac
source "$(dirname "$0")/same_as_native.sh"

# a subshell whose stack limit the program inherits
limited() { (ulimit -s 64 && exec "$@"); }

work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT

limited "$tool" >"$work/usage" 2>&1
status=$?
if [ $status != 255 ]; then
    if [ "$sanitized" = 1 ]; then
        echo "skipped: under AddressSanitizer the converter cannot start in a 64 KiB stack (exit status $status):"
        head -n 5 "$work/usage"
        exit 77
    fi
    echo "FAIL: the converter without arguments, in a 64 KiB stack: exit status $status, not 255"
    cat "$work/usage"
    exit 1
fi

mkdir -p "$work/in"
"$write_sample" "$work/in/sample.3ds" && "$write_adversarial" "$work/in" >/dev/null || exit 1
corpus_file=$corpus/stormbaancoureur-data/terrain3.3ds
[ -f "$corpus_file" ] && cp "$corpus_file" "$work/in/"

san_start "$work/runs"
for file in "$work"/in/*.3ds; do
    name=$(basename "$file")
    san_input "$file" "$name"
    native_cmd=("$tool") other_cmd=(limited "$tool")
    san_compare "$name"
    native_cmd=("$info") other_cmd=(limited "$info")
    san_compare "$name"
    san_compare --json "$name"
    rm -f "$work/runs/native/$name" "$work/runs/other/$name"
done
echo "$san_identical of $san_compared runs in a 64 KiB stack as without the limit"
[ "$san_failures" = 0 ] || exit 1
if [ ! -f "$corpus_file" ]; then
    echo "skipped in part: $corpus_file is absent: the corpus (../shared/corpus) is not here"
    exit 77
fi
exit 0
