# Cross-building the Windows program (64-bit, Debian's mingw-w64) against a Qt built for
# Windows by scripts/build-windows.sh; Qt itself is built with this file too.
#   cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/windows-qt.cmake \
#         -DCMAKE_PREFIX_PATH=<cache>/qt6-win64 -DQT_HOST_PATH=/usr
# The "posix" compilers carry std::thread and std::mutex, which Qt 6 uses. The runtime stays in
# DLLs (libstdc++-6, libgcc_s_seh-1, libwinpthread-1) shared by Qt's DLLs and the programs, so one
# C++ runtime owns every exception and allocation; the build script copies them beside lumor.exe.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LUMOR_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${LUMOR_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LUMOR_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${LUMOR_MINGW_PREFIX}-windres)
# The cross Qt's prefix joins the MinGW root so that find_package(Qt6) looks only at Windows files.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${LUMOR_MINGW_PREFIX} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
