# Cross build for 64-bit Windows with mingw-w64 (x86_64): the same sources as
# the i686 release, built so that they run under the 64-bit Wine here.
#   cmake -S . -B build/win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
# The posix thread model is the one with std::mutex and std::thread, which
# GoogleTest and the host adaptors need.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZARVEL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${ZARVEL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZARVEL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${ZARVEL_MINGW_TRIPLE}-windres)
# .rc files are UTF-8; windres stores their texts as UTF-16 either way.
set(CMAKE_RC_FLAGS_INIT "-c 65001")

set(CMAKE_FIND_ROOT_PATH /usr/${ZARVEL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Cross-built programs run under Wine: add_test(COMMAND <target>) and
# try_run go through this.
get_filename_component(ZARVEL_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/../tools/wine_run.sh ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${ZARVEL_WINE_RUN})
