#!/usr/bin/env bash
# Builds the converter, writes the project's sample scene to
# build/sample/sample.3ds and converts it to build/sample/sample.h.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tests/packages.sh sample
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBAKE3DS_TESTS=OFF
cmake --build build -j"$(nproc)" --target bake3ds write_sample
mkdir -p build/sample
build/examples/write_sample build/sample/sample.3ds
build/bake3ds build/sample/sample.3ds
