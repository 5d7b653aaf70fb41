# Cross build for aarch64 Linux (Debian's g++-aarch64-linux-gnu):
#   cmake -S . -B build-aarch64 -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake -DBAKE3DS_TESTS=OFF
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(BAKE3DS_CROSS_TRIPLE aarch64-linux-gnu)
include(${CMAKE_CURRENT_LIST_DIR}/linux-gnu-cross.cmake)
