# The WAVE readers (resource image and file rules), seeded with the game's
# own effects.
zarvel_add_fuzzer(wave_fuzz
  SOURCES ${CMAKE_SOURCE_DIR}/game/media/wave_file.cpp
  SEEDS ${CMAKE_BINARY_DIR}/data
  MAX_LEN 4096
  DEPENDS game_data)
