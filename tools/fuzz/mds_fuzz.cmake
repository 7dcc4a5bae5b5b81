# The MIDI stream file parser with the stream-id expansion, and every file it
# accepts played through the stream driver and the synthesizer; seeded with
# the game's two songs.
zarvel_add_fuzzer(mds_fuzz
  SOURCES ${CMAKE_SOURCE_DIR}/game/media/mds_file.cpp
          ${CMAKE_SOURCE_DIR}/game/media/soft_midi_stream.cpp
          ${ZARVEL_FUZZ_SYNTH}
          ${CMAKE_SOURCE_DIR}/game/media/wave_table.cpp
  SEEDS ${CMAKE_BINARY_DIR}/data
  MAX_LEN 20000
  DEPENDS game_data)
