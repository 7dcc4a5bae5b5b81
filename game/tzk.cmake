# tzk.exe: the game's Windows program. The program's own files (WinMain,
# window procedure, dialogs) lie in win32/program/ folders, outside the
# adaptor library, so the Windows tests link without them.
file(GLOB_RECURSE TZK_PROGRAM_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/game/*/win32/program/*.cpp)
set(TZK_RC ${CMAKE_SOURCE_DIR}/game/resources/tzk.rc)
add_executable(tzk WIN32 ${TZK_PROGRAM_SOURCES} ${TZK_RC})
target_precompile_headers(tzk REUSE_FROM zarvel_win32_ports)
target_link_libraries(tzk PRIVATE zarvel_win32_game winmm comctl32 gdi32 user32)
# wWinMain: the command line comes in UTF-16, not in the system's code page.
target_link_options(tzk PRIVATE -municode)
target_include_directories(tzk PRIVATE ${CMAKE_SOURCE_DIR})
# The icon is drawn into the data folder; the manifest lies beside the .rc.
set_property(SOURCE ${TZK_RC} APPEND PROPERTY OBJECT_DEPENDS
  ${CMAKE_BINARY_DIR}/data/tzk.ico ${CMAKE_SOURCE_DIR}/game/resources/tzk.manifest)
target_compile_options(tzk PRIVATE $<$<COMPILE_LANGUAGE:RC>:-I${CMAKE_BINARY_DIR}/data -I${CMAKE_SOURCE_DIR}/game/resources>)
add_dependencies(tzk game_data)
