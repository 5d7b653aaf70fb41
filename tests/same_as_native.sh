# Sourced: runs another build of the converter (under an emulator, under
# wine) and the native build on the same inputs, each in a folder of its
# own, and requires the same header bytes, the same messages (after "\r\n"
# -> "\n") and the same exit status.
#
#   source tests/same_as_native.sh
#   native_cmd=(build/bake3ds) other_cmd=(qemu-s390x-static build-s390x/bake3ds)
#   san_start WORK          empty folders WORK/native and WORK/other; counters 0
#   san_input FILE NAME     copies FILE into both folders as NAME
#   san_compare [ARG...]    runs both with the arguments, standard input
#                           /dev/null; with one argument, compares the
#                           headers too, then removes them
#   san_fail MESSAGE        counts a failure the caller found itself
#
# Counters: san_compared, san_identical, san_failures. Where san_keep is a
# folder, each native header compared is also copied there, as hN.h.

source "$(dirname "${BASH_SOURCE[0]}")/expected_outcomes.sh" # eo_sha256

san_start() {
    san_work=$1
    san_compared=0 san_identical=0 san_failures=0 san_keep=
    rm -rf "$san_work/native" "$san_work/other"
    mkdir -p "$san_work/native" "$san_work/other"
}

san_fail() {
    echo "FAIL: $*" >&2
    san_failures=$((san_failures + 1))
}

san_input() {
    cp "$1" "$san_work/native/$2" && cp "$1" "$san_work/other/$2"
}

# Whether two message files are the same after "\r\n" -> "\n" in the other's.
san_same_text() {
    cmp -s <(sed 's/\r$//' "$2") "$1"
}

san_compare() {
    local native_status other_status
    (cd "$san_work/native" && "${native_cmd[@]}" "$@" >stdout 2>stderr </dev/null)
    native_status=$?
    (cd "$san_work/other" && "${other_cmd[@]}" "$@" >stdout 2>stderr </dev/null)
    other_status=$?
    san_compared=$((san_compared + 1))
    local what="'$*'" header=
    [ $# = 1 ] && header=${1%.*}.h
    local native_header=$san_work/native/$header other_header=$san_work/other/$header
    if [ "$native_status" != "$other_status" ]; then
        san_fail "$what: exit status $native_status native, $other_status here"
    elif ! san_same_text "$san_work/native/stdout" "$san_work/other/stdout" \
        || ! san_same_text "$san_work/native/stderr" "$san_work/other/stderr"; then
        san_fail "$what: messages differ"
    elif [ -n "$header" ] && { [ -f "$native_header" ] || [ -f "$other_header" ]; } \
        && ! cmp -s "$native_header" "$other_header"; then
        san_fail "$what: headers differ (sha256 $(eo_sha256 "$native_header") native, $(eo_sha256 "$other_header") here)"
    else
        san_identical=$((san_identical + 1))
        if [ -n "$san_keep" ] && [ -n "$header" ] && [ -f "$native_header" ]; then
            cp "$native_header" "$san_keep/h$san_compared.h"
        fi
    fi
    if [ -n "$header" ]; then
        [ -f "$native_header" ] && rm -f "$native_header"
        [ -f "$other_header" ] && rm -f "$other_header"
    fi
    return 0
}
