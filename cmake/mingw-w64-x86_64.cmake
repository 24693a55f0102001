# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#
# The programs link the C and C++ run-time libraries (libgcc, libstdc++, winpthread) statically,
# so that a .exe imports only the DLLs that come with Windows itself.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUORVANE_MINGW_TRIPLET x86_64-w64-mingw32)
# The "posix" flavour of the compiler has the whole of the C++ thread library; its winpthread is
# linked statically like the rest.
find_program(CMAKE_CXX_COMPILER NAMES ${QUORVANE_MINGW_TRIPLET}-g++-posix ${QUORVANE_MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${QUORVANE_MINGW_TRIPLET}-gcc-posix ${QUORVANE_MINGW_TRIPLET}-gcc REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${QUORVANE_MINGW_TRIPLET}-windres REQUIRED)
find_program(CMAKE_AR NAMES ${QUORVANE_MINGW_TRIPLET}-gcc-ar-posix ${QUORVANE_MINGW_TRIPLET}-ar)
find_program(CMAKE_RANLIB NAMES ${QUORVANE_MINGW_TRIPLET}-gcc-ranlib-posix ${QUORVANE_MINGW_TRIPLET}-ranlib)
find_program(CMAKE_OBJDUMP NAMES ${QUORVANE_MINGW_TRIPLET}-objdump)
find_program(CMAKE_STRIP NAMES ${QUORVANE_MINGW_TRIPLET}-strip)

set(CMAKE_FIND_ROOT_PATH /usr/${QUORVANE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Release builds: optimised as the native build is, and stripped.
set(CMAKE_CXX_FLAGS_RELEASE_INIT "-O2 -DNDEBUG")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
# MinGW's GCC 12 inlines std::string's assignment of a literal into a bogus -Wrestrict warning
# about memcpy of 2^63 bytes (GCC bug 105651, fixed in GCC 13); the native build still checks
# -Wrestrict.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
