# Cross-building for 64-bit Windows with Debian's mingw-w64 (package mingw-w64), used by
# scripts/test-windows.sh:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DLUMOR_CORE_ONLY=ON
# The "posix" compilers carry std::thread; the runtime is linked in, so the programs run
# without MinGW's DLLs beside them (under Wine or on Windows).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LUMOR_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LUMOR_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LUMOR_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${LUMOR_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${LUMOR_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Programs the build runs (the standard library's generator) and the tests run under Wine,
# through scripts/wine-run.sh, which tells why a run failed.
find_program(LUMOR_WINE NAMES wine wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(LUMOR_WINE NAMES wine wine64)
if(LUMOR_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
endif()
