#!/bin/sh
# bake3ds-info's whole report, as text and as JSON, of a textured corpus
# file, compared with the report worked out by walking the file's chunks
# apart from this project's code (its texture map name and smoothing groups
# agree with lib3ds's reading). The file is named as the folder holds it,
# from inside that folder, since the report shows the name given.
#
#   sh tests/info_report_corpus.sh BAKE3DS_INFO CORPUS EXPECTED_FOLDER
#
# Exits 0 when both reports match, 1 when one does not (showing the
# difference), 77 when the corpus file is absent.
set -u
info=$1 corpus=$2 expected=$3
# the program runs from inside the corpus folder
case $info in /*) ;; *) info=$(pwd)/$info ;; esac
folder=$corpus/assimp-testmodels
file=cube_with_diffuse_texture.3DS
if [ ! -f "$folder/$file" ]; then
    echo "skipped: $folder/$file is absent: the corpus (../shared/corpus) is not here"
    exit 77
fi
out=$(mktemp) || exit 1
trap 'rm -f "$out"' EXIT
status=0
for form in txt json; do
    option=
    [ "$form" = json ] && option=--json
    (cd "$folder" && "$info" $option "$file") >"$out"
    run=$?
    if [ $run -ne 0 ]; then
        echo "bake3ds-info $option $file exited with $run"
        status=1
    elif ! diff -u "$expected/cube_with_diffuse_texture.$form" "$out"; then
        echo "bake3ds-info $option $file: the report differs from $expected/cube_with_diffuse_texture.$form"
        status=1
    fi
done
[ $status -eq 0 ] && echo "the text and JSON reports of $file are as expected"
exit $status
