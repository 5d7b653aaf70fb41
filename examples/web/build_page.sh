#!/usr/bin/env bash
# Builds the sample's web page with Debian's emscripten: OUT_FOLDER/index.html,
# index.js and index.wasm, which draw SAMPLE_HEADER (class CLASS) in WebGL 2.
# Usage: examples/web/build_page.sh SAMPLE_HEADER CLASS OUT_FOLDER
set -euo pipefail
if [ $# != 3 ]; then
    echo "usage: $0 SAMPLE_HEADER CLASS OUT_FOLDER" >&2
    exit 2
fi
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
header=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
mkdir -p "$3"
# Debian's emscripten runs with Debian's node modules, ahead of any other
# toolchain on the PATH; its HTML minifier fails on Debian 12, and the
# page is small
export PATH=/usr/bin:$PATH NODE_PATH=/usr/share/nodejs
emcc -std=c++17 -O2 -ffp-contract=off -Wall -Wextra -Werror \
    -I "$source_dir/include" -I "$source_dir/examples" -I "$(dirname "$header")" \
    "-DBAKE3DS_SCENE_HEADER=\"$(basename "$header")\"" "-DBAKE3DS_SCENE_CLASS=$2" \
    "$source_dir/examples/web/web_main.cpp" "$source_dir/examples/core/core_render.cpp" \
    "$source_dir/examples/preview/framing.cpp" \
    -sUSE_WEBGL2=1 -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2 \
    -sMINIFY_HTML=0 \
    --shell-file "$source_dir/examples/web/page.html" -o "$3/index.html"
