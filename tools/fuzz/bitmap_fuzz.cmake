# The bitmap decoder, seeded with a small bitmap of every depth, header and
# compression it reads (bitmap_seeds) besides the game's own; what it
# decodes is copied into sheets and blitted on the host display adaptor.
set(BITMAP_FUZZ_GAME display.cpp bitmap.cpp bitmap_rows.cpp bitmap_rle.cpp bitmap_colours.cpp
    bitmap_surface.cpp palette.cpp screen_effect.cpp stage_sheets.cpp
    host/display_port.cpp host/display_objects.cpp host/bitmap_port.cpp)
list(TRANSFORM BITMAP_FUZZ_GAME PREPEND ${CMAKE_SOURCE_DIR}/game/media/)
zarvel_add_fuzzer(bitmap_fuzz
  SOURCES ${BITMAP_FUZZ_GAME}
          ${CMAKE_SOURCE_DIR}/game/shell/shared_state.cpp
          ${CMAKE_SOURCE_DIR}/game/shell/host/system_port.cpp
  SEEDS ${CMAKE_CURRENT_SOURCE_DIR}/bitmap_seeds
  MAX_LEN 70000)
