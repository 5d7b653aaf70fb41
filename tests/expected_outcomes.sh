# Converts every file that a corpus's expected-outcomes.txt lists and
# compares the header's sha256, the standard output's sha256 and the exit
# status with the listed ones, which were worked out independently of this
# project; the list must name every .3ds file of the corpus, once. The
# header's class name and comments depend on the name given, so each file is
# converted under its real name, in a folder of its own, as `CONVERTER NAME`
# run in that folder. The native build's test runs it as a program; the
# cross builds' checks source it and run their converters under wine or qemu.
#
#   bash tests/expected_outcomes.sh LABEL CORPUS CONVERTER [ARGUMENT...]
#       exits 0 when every file matched, 77 when the corpus is absent or
#       holds no .3ds file, 1 otherwise
#   source tests/expected_outcomes.sh
#   expected_outcomes LABEL CORPUS WORK CONVERTER [ARGUMENT...]
#   e.g. expected_outcomes i686 ../shared/corpus "$work" qemu-i386-static build-i686/bake3ds
#
# The converter is a command with any leading words (an emulator, wine);
# its standard input is /dev/null. Where eo_crlf is set (a Windows build),
# messages are compared after "\r\n" -> "\n". Prints each mismatch with both
# hashes and the converter's messages, and then "LABEL: K of N corpus files
# as expected"; returns 0 only when all N listed files were converted and
# compared and every one matched. Sets eo_listed, eo_compared and eo_matched
# for the caller's totals. Where eo_keep names a folder, each header that
# matched is copied there first, as corpus-N.h.

# sha256 of a file, or "none" where it does not exist
eo_sha256() {
    if [ -f "$1" ]; then sha256sum <"$1" | cut -d' ' -f1; else echo none; fi
}

# A message file as compared: as written, or with "\r\n" -> "\n" where
# eo_crlf is set.
eo_messages() {
    if [ -n "${eo_crlf:-}" ]; then sed 's/\r$//' "$1"; else cat "$1"; fi
}

expected_outcomes() {
    local label=$1 corpus=$2 work=$3
    shift 3
    local list=$corpus/expected-outcomes.txt
    eo_listed=0 eo_compared=0 eo_matched=0
    if [ ! -f "$list" ]; then
        echo "$label: $list is missing: nothing to compare with" >&2
        return 1
    fi
    mkdir -p "$work"
    local header_sha stdout_sha status path
    : >"$work/listed"
    while read -r header_sha stdout_sha status path <&3; do
        case "$header_sha" in '#'* | '') continue ;; esac
        eo_listed=$((eo_listed + 1))
        printf '%s\n' "$path" >>"$work/listed"
        local name=${path##*/}
        local folder=$work/$eo_listed
        rm -rf "$folder"
        mkdir -p "$folder"
        if ! cp "$corpus/$path" "$folder/$name"; then
            echo "$label: $path: listed but not readable" >&2
            continue
        fi
        (cd "$folder" && "$@" "$name" >stdout 2>stderr </dev/null)
        local got_status=$?
        eo_compared=$((eo_compared + 1))
        local got_header got_stdout
        got_header=$(eo_sha256 "$folder/${name%.*}.h")
        got_stdout=$(eo_messages "$folder/stdout" | sha256sum | cut -d' ' -f1)
        if [ "$got_header" = "$header_sha" ] && [ "$got_stdout" = "$stdout_sha" ] && [ "$got_status" = "$status" ]; then
            eo_matched=$((eo_matched + 1))
            [ -n "${eo_keep:-}" ] && cp "$folder/${name%.*}.h" "$eo_keep/corpus-$eo_listed.h"
            rm -rf "$folder"
        else
            echo "$label: MISMATCH $path" >&2
            [ "$got_header" = "$header_sha" ] || echo "    header $got_header, expected $header_sha" >&2
            if [ "$got_stdout" != "$stdout_sha" ]; then
                echo "    stdout $got_stdout, expected $stdout_sha:" >&2
                sed 's/^/      /' "$folder/stdout" >&2
            fi
            if [ "$got_status" != "$status" ]; then
                echo "    exit status $got_status, expected $status:" >&2
                sed 's/^/      /' "$folder/stderr" >&2
            fi
        fi
    done 3<"$list"
    # the list and the folder must hold the same files, so that a file added
    # to the corpus without its outcome, or listed twice, is not passed over
    local files_agree=1
    if ! diff <(LC_ALL=C sort "$work/listed") \
        <(cd "$corpus" && find . -type f -iname '*.3ds' | sed 's|^\./||' | LC_ALL=C sort) >"$work/listed.diff"; then
        files_agree=
        echo "$label: the list and the corpus folder hold different files (< listed, > in the folder):" >&2
        grep '^[<>]' "$work/listed.diff" | sed 's/^/    /' >&2
    fi
    echo "$label: $eo_matched of $eo_listed corpus files as expected ($eo_compared compared)"
    [ "$eo_listed" -gt 0 ] && [ "$eo_compared" = "$eo_listed" ] && [ "$eo_matched" = "$eo_listed" ] && [ -n "$files_agree" ]
}

# Run as a program: one converter over the corpus, in a folder of its own.
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    # run as a program (the scripts that source it set this themselves)
    set -o pipefail
    if [ $# -lt 3 ]; then
        echo "usage: bash $0 LABEL CORPUS CONVERTER [ARGUMENT...]" >&2
        exit 2
    fi
    eo_label=$1 eo_corpus=$2
    shift 2
    if [ ! -d "$eo_corpus" ] || [ -z "$(find "$eo_corpus" -type f -iname '*.3ds' | head -n 1)" ]; then
        echo "skipped: the corpus folder $eo_corpus is absent or holds no .3ds file: nothing to check"
        exit 77
    fi
    eo_work=$(mktemp -d)
    trap 'rm -rf "$eo_work"' EXIT
    expected_outcomes "$eo_label" "$eo_corpus" "$eo_work" "$@" || exit 1
fi
