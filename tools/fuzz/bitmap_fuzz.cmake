# The bitmap decoder, seeded with the game's own bitmaps.
zarvel_add_fuzzer(bitmap_fuzz
  SOURCES ${CMAKE_SOURCE_DIR}/game/media/bitmap.cpp
  SEEDS ${CMAKE_BINARY_DIR}/data
  MAX_LEN 70000
  DEPENDS game_data)
