#!/usr/bin/env bash
# The web test: builds the sample's page with Debian's emscripten, serves it
# on 127.0.0.1, loads it in headless Chromium (SwiftShader's WebGL 2), and
# has web_check compare the silhouette the page reports with the OSMesa
# core profile's. Fails when Chromium's console shows an error.
# Exit status 77 (skipped) only when emcc or chromium is not installed;
# tests/packages.sh web installs them.
# Usage: run_web_test.sh SAMPLE_HEADER CLASS WEB_CHECK WORK_FOLDER
set -euo pipefail
if [ $# != 4 ]; then
    echo "usage: $0 SAMPLE_HEADER CLASS WEB_CHECK WORK_FOLDER" >&2
    exit 2
fi
header=$1 class=$2 check=$3 work=$4
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
for tool in /usr/bin/emcc /usr/bin/chromium; do
    if [ ! -x "$tool" ]; then
        echo "web test skipped: $tool is not installed (Debian emscripten and chromium; tests/packages.sh web)"
        exit 77
    fi
done
rm -rf "$work"
mkdir -p "$work"
bash "$source_dir/examples/web/build_page.sh" "$header" "$class" "$work/page"

server_pid="" browser_pid=""
stop() {
    [ -n "$browser_pid" ] && kill "$browser_pid" 2>/dev/null || true
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
    wait 2>/dev/null || true
}
trap stop EXIT
python3 "$source_dir/tests/web/serve.py" "$work/page" "$work/port" "$work/report" 2>"$work/server.log" &
server_pid=$!
for _ in $(seq 100); do
    [ -s "$work/port" ] && break
    sleep 0.1
done
[ -s "$work/port" ] || { echo "error: the server did not start"; cat "$work/server.log"; exit 1; }
url="http://127.0.0.1:$(cat "$work/port")/index.html?report=/report"

# --no-sandbox: Chromium's sandbox refuses to run as root, as in CI;
# --disable-dev-shm-usage: containers often have a small /dev/shm
chromium --headless --no-sandbox --disable-dev-shm-usage --use-angle=swiftshader --enable-unsafe-swiftshader \
    --enable-logging=stderr --v=0 --no-first-run --user-data-dir="$work/profile" "$url" \
    >"$work/chromium.out" 2>"$work/chromium.log" &
browser_pid=$!
for _ in $(seq 240); do
    [ -f "$work/report" ] && break
    kill -0 "$browser_pid" 2>/dev/null || break
    sleep 0.5
done
if [ ! -f "$work/report" ]; then
    echo "error: the page sent no report within 120 s; Chromium's log:"
    tail -40 "$work/chromium.log"
    exit 1
fi
sleep 1 # messages logged after the report
stop
trap - EXIT

echo "the page's console:"
grep 'CONSOLE' "$work/chromium.log" || true
status=0
# One reader of the whole log, no pipe: with `grep | grep -q` under
# pipefail, grep -q's early exit could kill the first grep with SIGPIPE and
# turn a found error into a failed, and so false, condition.
console_errors=$(awk '/CONSOLE/ && tolower($0) ~ /error|uncaught|invalid|warning/' "$work/chromium.log")
if [ -n "$console_errors" ]; then
    echo "error: Chromium's console shows an error or a warning"
    status=1
fi
"$check" "$work/report" || status=1
exit $status
