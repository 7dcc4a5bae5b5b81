# The page: the portable core built with emscripten for the browser. The
# web/ adaptors put the picture on a canvas, take keys and gamepads, feed
# Web Audio, keep score.dat in the page's storage and draw the texts and
# boxes in the page; the memory surfaces, the sound mixer and the MIDI
# driver of the host adaptors do the rest, as they do for tzk-sim. The game
# thread runs on the page's own thread: its waits give the browser its turn
# through Asyncify (emscripten_sleep).
#
# Everything the browser downloads ends up in build/web/site/: the page,
# zarvel.js, zarvel.wasm, zarvel.data (the game's data files), the font.
set(WEB_SITE_DIR ${CMAKE_BINARY_DIR}/site)
set(WEB_PAGE_DIR ${CMAKE_SOURCE_DIR}/game/shell/web/site)

zarvel_adaptor_sources(WEB_PORT_SOURCES game web)
set(WEB_SHARED_SOURCES
  game/media/host/display_port.cpp
  game/media/host/display_objects.cpp
  game/media/host/bitmap_port.cpp
  game/media/host/sound_port.cpp
  game/media/host/midi_port.cpp
  game/actors/host/allocation_port.cpp
  game/scores/host/score_port.cpp
  # what the native program's window does the same way: the text items'
  # fonts, the boxes' decisions, the driven clock and the frame marks
  game/media/sdl2/text_faces.cpp
  game/shell/sdl2/dialog_rules.cpp
  game/shell/sdl2/native_clock.cpp)
file(GLOB WEB_PROGRAM_SOURCES CONFIGURE_DEPENDS game/shell/web/program/*.cpp)
zarvel_portable_sources(CORE_SOURCES game)
add_executable(zarvel_web ${CORE_SOURCES} ${WEB_PORT_SOURCES} ${WEB_SHARED_SOURCES} ${WEB_PROGRAM_SOURCES})
target_include_directories(zarvel_web PRIVATE ${CMAKE_SOURCE_DIR})
add_dependencies(zarvel_web game_data)
set_target_properties(zarvel_web PROPERTIES OUTPUT_NAME zarvel RUNTIME_OUTPUT_DIRECTORY ${WEB_SITE_DIR})
# Compiled in batches: each emscripten compile starts a Python driver, which
# cost more than most of the files. Three files keep names of their own that
# another file of the program uses too, so they are compiled alone.
set_target_properties(zarvel_web PROPERTIES UNITY_BUILD ON)
set_source_files_properties(game/media/host/midi_port.cpp game/scores/host/score_port.cpp
  game/shell/web/system_port.cpp
  PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)

# The files of the game, packed into zarvel.data and found under /data.
set(WEB_PRELOAD)
foreach(file ${ZARVEL_GAME_DATA_FILES})
  list(APPEND WEB_PRELOAD "SHELL:--preload-file ${CMAKE_BINARY_DIR}/data/${file}@/data/${file}")
endforeach()

# The game's waits sleep through Asyncify; nothing that sleeps is reached
# through a function pointer, so indirect calls stay uninstrumented.
target_link_options(zarvel_web PRIVATE
  -sASYNCIFY=1 -sASYNCIFY_IGNORE_INDIRECT=1 -sASYNCIFY_STACK_SIZE=65536
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=33554432 -sENVIRONMENT=web
  -sEXPORTED_FUNCTIONS=_main,_malloc,_free
  "-sEXPORTED_RUNTIME_METHODS=FS,UTF8ToString,stackSave,stackRestore,stackAlloc"
  -sFORCE_FILESYSTEM=1
  ${WEB_PRELOAD})
# Debian's emscripten finds its optimizer's JavaScript modules only through
# NODE_PATH where the node on the PATH is not Debian's.
if(EXISTS /usr/share/nodejs/acorn)
  set_target_properties(zarvel_web PROPERTIES RULE_LAUNCH_LINK "env NODE_PATH=/usr/share/nodejs")
endif()

# The page, its script, style and font beside the program. The font is
# Debian's IPA Gothic cut down to the characters the page and its boxes
# draw, renamed as its licence asks, with the licence beside it.
file(GLOB WEB_PAGE_FILES CONFIGURE_DEPENDS ${WEB_PAGE_DIR}/*)
# Debian's python3-fonttools cuts it: the system's python3 first.
find_program(WEB_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_program(WEB_PYTHON python3 NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(WEB_IPA_DIR /usr/share/fonts/opentype/ipafont-gothic)
set(WEB_IPA_LICENCE /usr/share/doc/fonts-ipafont-gothic/copyright)
set(WEB_FONT_TEXTS ${WEB_PAGE_DIR}/zarvel_page.js ${CMAKE_SOURCE_DIR}/game/shell/box_texts.h
    ${CMAKE_SOURCE_DIR}/game/shell/web/program/web_boxes.cpp)
add_custom_command(
  OUTPUT ${WEB_SITE_DIR}/zarvel_gothic.ttf ${WEB_SITE_DIR}/zarvel_gothic.txt
  COMMAND ${WEB_PYTHON} ${CMAKE_SOURCE_DIR}/tools/web/subset_font.py ${WEB_IPA_DIR}/ipag.ttf
          ${WEB_IPA_LICENCE} ${WEB_SITE_DIR}/zarvel_gothic ${WEB_FONT_TEXTS}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/web/subset_font.py ${WEB_FONT_TEXTS}
  COMMENT "The page's font: IPA Gothic cut to the characters the game draws"
  VERBATIM)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/page.stamp
  COMMAND ${CMAKE_COMMAND} -E make_directory ${WEB_SITE_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${WEB_PAGE_FILES} ${WEB_SITE_DIR}/
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/data/tzk.ico ${WEB_SITE_DIR}/zarvel.ico
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/page.stamp
  DEPENDS ${WEB_PAGE_FILES} game_data
  VERBATIM)
add_custom_target(zarvel_site ALL
  DEPENDS zarvel_web ${WEB_SITE_DIR}/zarvel_gothic.ttf ${CMAKE_BINARY_DIR}/page.stamp)

# The page in headless Chromium against the host tree's simulator (its
# asset tool's tree): tests/web/web_checks.mjs, one check a test.
find_program(WEB_NODE node NO_CMAKE_FIND_ROOT_PATH)
set(WEB_SIM ${ZARVEL_HOST_TOOLS_DIR}/../tzk-sim)
if(ZARVEL_HOST_TOOLS_DIR AND WEB_NODE)
  foreach(check fingerprints canvas sound scores console rules)
    add_test(NAME web_${check}
             COMMAND ${WEB_NODE} ${CMAKE_SOURCE_DIR}/tests/web/web_checks.mjs ${check} ${WEB_SITE_DIR} ${WEB_SIM})
    set_tests_properties(web_${check} PROPERTIES LABELS web)
  endforeach()
endif()
