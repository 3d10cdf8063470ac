# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers of the posix thread model
# (std::thread and std::mutex need it); the programs and tests it builds run under Wine.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(GW_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${GW_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GW_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${GW_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${GW_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libstdc++, libgcc and winpthread linked in, so that an .exe runs without DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Debian ships GoogleTest as sources only for other targets: the tests build it from there.
set(GW_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources to build with the cross compiler")

# ctest runs every test program through Wine; a plain `wine` would look for a 32-bit loader first.
find_program(GW_WINE NAMES wine64 wine HINTS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
find_program(GW_WINESERVER NAMES wineserver64 wineserver HINTS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(GW_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${GW_WINE})
endif()
