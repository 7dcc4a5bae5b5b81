# The MIDI stream file parser with the stream-id expansion, seeded with the
# game's two songs.
zarvel_add_fuzzer(mds_fuzz
  SOURCES ${CMAKE_SOURCE_DIR}/game/media/mds_file.cpp
  SEEDS ${CMAKE_BINARY_DIR}/data
  MAX_LEN 20000
  DEPENDS game_data)
