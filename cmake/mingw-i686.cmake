# Cross build for 32-bit Windows with mingw-w64 (i686), as shipped:
#   cmake -S . -B build/win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
# The posix thread model is the one with std::mutex and std::thread, which
# GoogleTest and the host adaptors need.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZARVEL_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
