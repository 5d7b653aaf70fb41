# Sourced: converts every file that a corpus's expected-outcomes.txt lists
# and compares the header's sha256, the standard output's sha256 and the
# exit status with the listed ones, which were worked out independently of
# this project. The header's class name and comments depend on the name
# given, so each file is converted under its real name, in a folder of its
# own, as `CONVERTER NAME` run in that folder.
#
#   source tests/expected_outcomes.sh
#   expected_outcomes LABEL CORPUS WORK CONVERTER [ARGUMENT...]
#   e.g. expected_outcomes i686 ../shared/corpus "$work" qemu-i386-static build-i686/bake3ds
#
# The converter is a command with any leading words (an emulator, wine);
# its standard input is /dev/null. Messages are compared after "\r\n" ->
# "\n", so that a Windows build compares too. Prints each mismatch with both
# hashes and then "LABEL: K of N corpus files as expected"; returns 0 only
# when all N listed files were converted and compared and every one matched.
# Sets eo_listed, eo_compared and eo_matched for the caller's totals. Where
# eo_keep names a folder, each header that matched is copied there first, as
# corpus-N.h.

# sha256 of a file, or "none" where it does not exist
eo_sha256() {
    if [ -f "$1" ]; then sha256sum <"$1" | cut -d' ' -f1; else echo none; fi
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
    local header_sha stdout_sha status path
    while read -r header_sha stdout_sha status path <&3; do
        case "$header_sha" in '#'* | '') continue ;; esac
        eo_listed=$((eo_listed + 1))
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
        got_stdout=$(sed 's/\r$//' "$folder/stdout" | sha256sum | cut -d' ' -f1)
        if [ "$got_header" = "$header_sha" ] && [ "$got_stdout" = "$stdout_sha" ] && [ "$got_status" = "$status" ]; then
            eo_matched=$((eo_matched + 1))
            [ -n "${eo_keep:-}" ] && cp "$folder/${name%.*}.h" "$eo_keep/corpus-$eo_listed.h"
            rm -rf "$folder"
        else
            echo "$label: MISMATCH $path" >&2
            [ "$got_header" = "$header_sha" ] || echo "    header $got_header, expected $header_sha" >&2
            [ "$got_stdout" = "$stdout_sha" ] || echo "    stdout $got_stdout, expected $stdout_sha" >&2
            [ "$got_status" = "$status" ] || echo "    exit status $got_status, expected $status" >&2
        fi
    done 3<"$list"
    echo "$label: $eo_matched of $eo_listed corpus files as expected ($eo_compared compared)"
    [ "$eo_listed" -gt 0 ] && [ "$eo_compared" = "$eo_listed" ] && [ "$eo_matched" = "$eo_listed" ]
}
