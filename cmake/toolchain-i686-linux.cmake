# Cross build for 32-bit x86 Linux: the portable code and its tests (the native suite without
# the PNG converter, whose libpng this target lacks) as 32-bit code, for machines that cannot
# execute 32-bit programs, where no program of the i686 Windows build runs. Its programs run
# under qemu's user-mode emulator with the cross compiler's C library (Debian: qemu-user,
# g++-i686-linux-gnu); no binfmt handler is needed, nor wanted.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER i686-linux-gnu-g++)
set(CMAKE_FIND_ROOT_PATH /usr/i686-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386 -L /usr/i686-linux-gnu)
