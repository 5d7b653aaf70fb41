# What the Linux cross toolchain files share; each sets CMAKE_SYSTEM_PROCESSOR
# and BAKE3DS_CROSS_TRIPLE first. Debian's g++-<triple> packages; linked
# statically, so that qemu-user-static runs the program without the target's
# libraries.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${BAKE3DS_CROSS_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${BAKE3DS_CROSS_TRIPLE}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${BAKE3DS_CROSS_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
