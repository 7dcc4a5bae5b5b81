# What both mingw-w64 cross builds share; the toolchain files set
# CMAKE_SYSTEM_PROCESSOR and ZARVEL_MINGW_TRIPLE, then include this.
set(CMAKE_SYSTEM_NAME Windows)
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
