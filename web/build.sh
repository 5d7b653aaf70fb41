#!/usr/bin/env bash
# Builds the web page with Debian's emscripten into OUT_FOLDER: index.html
# (the entry), page.js, page.css, index.js and index.wasm. Static files: any
# static file server serves them, and they fetch nothing from elsewhere.
# Usage: web/build.sh OUT_FOLDER
set -euo pipefail
if [ $# != 1 ]; then
    echo "usage: $0 OUT_FOLDER" >&2
    exit 2
fi
source_dir=$(cd "$(dirname "$0")/.." && pwd)
out=$1
mkdir -p "$out"
# Debian's emscripten runs with Debian's node modules, ahead of any other
# toolchain on the PATH
export PATH=/usr/bin:$PATH NODE_PATH=/usr/share/nodejs

# The library's own sources, as CMake builds them, then the platform unit
# and the page's code on top of them.
mapfile -t sources < <(grep -v '^#' "$source_dir/cmake/library_sources.txt" | sed "s|^|$source_dir/|")
sources+=("$source_dir/platform/platform_posix.cpp"
    "$source_dir/console/messages.cpp"
    "$source_dir/examples/core/core_render.cpp" "$source_dir/examples/core/object_buffers.cpp"
    "$source_dir/examples/preview/framing.cpp"
    "$source_dir/web/conversion.cpp" "$source_dir/web/orbit.cpp" "$source_dir/web/page_main.cpp"
    "$source_dir/web/warm_up.cpp" "$source_dir/fixture/chunk_builder.cpp")

# The project's flags (no contraction of floats, warnings as errors);
# exceptions on, as the library turns a failed allocation into a refusal by
# catching std::bad_alloc.
flags=(-std=c++17 -O2 -ffp-contract=off -Wall -Wextra -Wpedantic -Werror -fwasm-exceptions
    -I "$source_dir" -I "$source_dir/include" -I "$source_dir/examples")
objects=$(mktemp -d)
trap 'rm -rf "$objects"' EXIT
printf '%s\n' "${sources[@]}" | xargs -P 2 -I {} sh -c \
    'emcc "$@" -c "{}" -o "$0/$(echo "{}" | tr / _).o"' "$objects" "${flags[@]}"

# Memory grows as a load needs it, up to wasm32's 2 GiB, past what a load
# within the library's limits asks for a file of tens of megabytes; malloc
# then fails instead of aborting, and the library refuses the file with
# "allocation_failed".
emcc "${flags[@]}" "$objects"/*.o \
    -sUSE_WEBGL2=1 -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2 \
    -sALLOW_MEMORY_GROWTH=1 -sMAXIMUM_MEMORY=2GB -sABORTING_MALLOC=0 \
    -sEXPORTED_FUNCTIONS=_malloc,_free \
    -sEXPORTED_RUNTIME_METHODS=ccall,UTF8ToString \
    -sINCOMING_MODULE_JS_API=print,printErr,onRuntimeInitialized,canvas \
    -sMINIFY_HTML=0 -sENVIRONMENT=web \
    --shell-file "$source_dir/web/index.html" -o "$out/index.html"
cp "$source_dir/web/page.js" "$source_dir/web/page.css" "$out/"
