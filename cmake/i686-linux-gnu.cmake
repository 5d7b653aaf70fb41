# Cross build for i686 Linux (Debian's g++-i686-linux-gnu):
#   cmake -S . -B build-i686 -DCMAKE_TOOLCHAIN_FILE=cmake/i686-linux-gnu.cmake -DBAKE3DS_TESTS=OFF
set(CMAKE_SYSTEM_PROCESSOR i686)
set(BAKE3DS_CROSS_TRIPLE i686-linux-gnu)
include(${CMAKE_CURRENT_LIST_DIR}/linux-gnu-cross.cmake)
