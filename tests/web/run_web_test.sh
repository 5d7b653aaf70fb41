#!/usr/bin/env bash
# The browser test: builds the page (web/build.sh) with Debian's
# emscripten, serves it on 127.0.0.1 and has web_test.mjs drive it in
# headless Chromium (SwiftShader's WebGL 2) through Playwright, comparing
# what the page gives with the native programs' answers for the same files.
# Exit status 77 (skipped) only when emcc or chromium is not installed, or
# when npm cannot reach its registry for Playwright; tests/packages.sh web
# installs the Debian packages.
# Usage: run_web_test.sh WORK_FOLDER BAKE3DS BAKE3DS_INFO WEB_CHECK WRITE_SAMPLE WRITE_BENCH_SCENE WRITE_ADVERSARIAL
set -euo pipefail
if [ $# != 7 ]; then
    echo "usage: $0 WORK_FOLDER BAKE3DS BAKE3DS_INFO WEB_CHECK WRITE_SAMPLE WRITE_BENCH_SCENE WRITE_ADVERSARIAL" >&2
    exit 2
fi
work=$1 converter=$2 info=$3 check=$4 write_sample=$5 write_bench_scene=$6 write_adversarial=$7
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
for tool in /usr/bin/emcc /usr/bin/chromium "$(command -v node)" "$(command -v npm)"; do
    if [ ! -x "$tool" ]; then
        echo "web test skipped: ${tool:-node or npm} is not installed (Debian emscripten, chromium, nodejs, npm; tests/packages.sh web)"
        exit 77
    fi
done
mkdir -p "$work"
rm -rf "$work/page" "$work/files" "$work/downloads" "$work/server.log" "$work/port"

# Playwright from the committed lock file, in the build tree; npm's cache
# makes a second run quick
mkdir -p "$work/npm"
cp "$source_dir/tests/web/package.json" "$source_dir/tests/web/package-lock.json" "$work/npm/"
if ! (cd "$work/npm" && npm ci --no-audit --no-fund --loglevel=error); then
    if ! npm ping >/dev/null 2>&1; then
        echo "web test skipped: npm cannot reach its registry for playwright-core"
        exit 77
    fi
    echo "error: npm ci failed although the registry answers"
    exit 1
fi

SECONDS=0
bash "$source_dir/web/build.sh" "$work/page"
echo "page built in $SECONDS s; its files in bytes:" $(cd "$work/page" && wc -c -- *)

# The files the test opens, written by the project's own programs
mkdir -p "$work/files/adversarial"
"$write_sample" "$work/files/sample.3ds"
"$write_bench_scene" grid "$work/files/grid.3ds"
"$write_bench_scene" meshes "$work/files/meshes.3ds"
"$write_adversarial" "$work/files/adversarial" >"$work/files/adversarial/names.txt"
cp "$source_dir/examples/sample.png" "$work/files/picture.3ds"

server_pid=""
stop() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
    wait 2>/dev/null || true
}
trap stop EXIT
python3 "$source_dir/tests/web/serve.py" "$work/page" "$work/port" 2>"$work/server.log" &
server_pid=$!
for _ in $(seq 100); do
    [ -s "$work/port" ] && break
    sleep 0.1
done
[ -s "$work/port" ] || { echo "error: the server did not start"; cat "$work/server.log"; exit 1; }

node "$source_dir/tests/web/web_test.mjs" --npm "$work/npm" --url "http://127.0.0.1:$(cat "$work/port")/index.html" \
    --work "$work" --converter "$converter" --info "$info" --check "$check" \
    --corpus "$source_dir/../shared/corpus"
