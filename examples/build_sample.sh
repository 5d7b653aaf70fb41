#!/usr/bin/env bash
# Builds the converter, writes the project's sample scene to
# build/sample/sample.3ds, converts it to build/sample/sample.h and renders
# it offscreen to build/sample/sample.png (where OSMesa and libpng are
# installed; the build says so where they are not).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tests/packages.sh sample
cmake --preset sample
cmake --build build -j"$(nproc)" --target bake3ds sample_png
build/bake3ds build/sample/sample.3ds
