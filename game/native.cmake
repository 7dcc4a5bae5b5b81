# zarvel: the portable core on Linux. The sdl2/ adaptors show the screen,
# read keys and gamepads, play the sound and draw texts and dialogs; the
# memory surfaces, the sound mixer and the MIDI driver of the host adaptors
# do the rest, as they do for tzk-sim.
find_package(PkgConfig REQUIRED)
pkg_check_modules(NATIVE_LIBS REQUIRED IMPORTED_TARGET sdl2 SDL2_ttf fontconfig)

zarvel_adaptor_sources(SDL2_PORT_SOURCES game sdl2)
set(NATIVE_HOST_PORTS
  game/media/host/display_port.cpp
  game/media/host/display_objects.cpp
  game/media/host/bitmap_port.cpp
  game/media/host/sound_port.cpp
  game/media/host/midi_port.cpp
  game/media/host/host_text_font.cpp
  game/actors/host/allocation_port.cpp
  game/shell/host/frame_log_port.cpp)
add_library(zarvel_native_ports STATIC ${SDL2_PORT_SOURCES} ${NATIVE_HOST_PORTS})
# Files with helpers of the same names as another's (a Lock, Lines): a
# unity build would join them.
set_source_files_properties(game/shell/sdl2/system_port.cpp game/media/sdl2/native_fonts.cpp
  game/shell/sdl2/dialog_draw.cpp
  PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
target_include_directories(zarvel_native_ports PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(zarvel_native_ports PUBLIC PkgConfig::NATIVE_LIBS Threads::Threads)
target_compile_definitions(zarvel_native_ports PRIVATE ZARVEL_DEFAULT_DATA_DIR="${CMAKE_BINARY_DIR}/data")
add_library(zarvel_native_game INTERFACE)
target_link_libraries(zarvel_native_game INTERFACE
  "$<LINK_GROUP:RESCAN,zarvel_core,zarvel_native_ports>")

file(GLOB NATIVE_PROGRAM_SOURCES CONFIGURE_DEPENDS game/shell/sdl2/program/*.cpp)
list(FILTER NATIVE_PROGRAM_SOURCES EXCLUDE REGEX "/zarvel_main\\.cpp$")
add_library(zarvel_native_program STATIC ${NATIVE_PROGRAM_SOURCES})
target_link_libraries(zarvel_native_program PUBLIC zarvel_native_game)
add_executable(zarvel game/shell/sdl2/program/zarvel_main.cpp)
target_link_libraries(zarvel PRIVATE zarvel_native_program)
add_dependencies(zarvel game_data)

file(GLOB NATIVE_TEST_SOURCES CONFIGURE_DEPENDS tests/native/*.cpp)
add_executable(native_tests ${NATIVE_TEST_SOURCES})
target_link_libraries(native_tests PRIVATE zarvel_native_program GTest::gtest_main)
target_precompile_headers(native_tests PRIVATE <gtest/gtest.h>)
target_compile_definitions(native_tests PRIVATE ZARVEL_DATA_DIR="${CMAKE_BINARY_DIR}/data")
add_dependencies(native_tests game_data zarvel tzk-sim)
# Offscreen video and dummy audio: the tier needs no display or sound card.
set(NATIVE_TEST_ENV SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy)
add_test(NAME native_tests COMMAND native_tests)
set_tests_properties(native_tests PROPERTIES LABELS native ENVIRONMENT "${NATIVE_TEST_ENV}")
file(GLOB NATIVE_SCRIPT_TESTS CONFIGURE_DEPENDS tests/native/*.sh)
foreach(script ${NATIVE_SCRIPT_TESTS})
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME ${name} COMMAND bash ${script} ${CMAKE_BINARY_DIR})
  set_tests_properties(${name} PROPERTIES LABELS native ENVIRONMENT "${NATIVE_TEST_ENV}")
endforeach()
