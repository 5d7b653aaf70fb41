# Cross build for s390x Linux (Debian's g++-s390x-linux-gnu):
#   cmake -S . -B build-s390x -DCMAKE_TOOLCHAIN_FILE=cmake/s390x-linux-gnu.cmake -DBAKE3DS_TESTS=OFF
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(BAKE3DS_CROSS_TRIPLE s390x-linux-gnu)
include(${CMAKE_CURRENT_LIST_DIR}/linux-gnu-cross.cmake)
