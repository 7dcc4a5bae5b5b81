# The bitmap decoder, seeded with a small bitmap of every depth, header and
# compression it reads (bitmap_seeds) besides the game's own.
zarvel_add_fuzzer(bitmap_fuzz
  SOURCES ${CMAKE_SOURCE_DIR}/game/media/bitmap.cpp ${CMAKE_SOURCE_DIR}/game/media/bitmap_rows.cpp
          ${CMAKE_SOURCE_DIR}/game/media/bitmap_rle.cpp ${CMAKE_SOURCE_DIR}/game/media/bitmap_colours.cpp
  SEEDS ${CMAKE_CURRENT_SOURCE_DIR}/bitmap_seeds
  MAX_LEN 70000)
