# The host tests as a 32-bit x86 Linux program, so the release's width
# (32-bit size_t, long and pointers) is tested natively too:
#   cmake -S . -B build/i386 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/linux-i386.cmake
# On a machine whose kernel runs no 32-bit programs, add
#   -DZARVEL_I386_EMULATOR=qemu-i386
# and every test program (and the test listing at build time) runs under
# that user-mode emulator. The asset generator is built for the machine
# itself, as in the Windows cross builds.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
# SSE2 doubles, as in the Windows release: x87's wider intermediates would
# bend the enemy bullets' paths and the pinned figures would no longer agree.
set(CMAKE_C_FLAGS_INIT "-m32 -msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-m32 -msse2 -mfpmath=sse")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)

set(ZARVEL_I386_EMULATOR "" CACHE STRING "Runs the 32-bit test programs (empty: directly)")
if(ZARVEL_I386_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZARVEL_I386_EMULATOR})
endif()
