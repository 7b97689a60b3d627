# Cross-builds the Windows console programs with MinGW-w64 on Linux:
#   cmake -S . -B build-windows --toolchain cmake/mingw-w64.cmake
# (Debian package g++-mingw-w64-x86-64). The programs are linked statically, so
# the .exe files need no DLL beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(RAIN_MINGW_PREFIX x86_64-w64-mingw32 CACHE STRING "Target prefix of the MinGW-w64 tools")
set(CMAKE_C_COMPILER ${RAIN_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${RAIN_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${RAIN_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${RAIN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests and GoogleTest are built natively; the Linux e2e suite runs the .exe
# files under Wine.
set(RAIN_BUILD_TESTS OFF CACHE BOOL "Build unit and end-to-end tests")
set(RAIN_BUILD_BENCH OFF CACHE BOOL "Build the benchmark generators and drivers")

# A release build carries no symbols: the programs shrink to a third.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
