# Cross build for 64-bit Windows with mingw-w64 (x86_64): the same sources as
# the i686 release, built so that they run under the 64-bit Wine here.
#   cmake -S . -B build/win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
# The posix thread model is the one with std::mutex and std::thread, which
# GoogleTest and the host adaptors need.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZARVEL_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
