# The WAVE readers (resource image and file rules), and every wave they
# accept played through the host mixer; seeded with a small wave of every
# sample depth and block layout (wave_seeds).
zarvel_add_fuzzer(wave_fuzz
  SOURCES ${CMAKE_SOURCE_DIR}/game/media/wave_file.cpp
          ${CMAKE_SOURCE_DIR}/game/media/host/sound_port.cpp
          ${ZARVEL_FUZZ_SYNTH}
          ${CMAKE_SOURCE_DIR}/game/media/wave_table.cpp
  SEEDS ${CMAKE_CURRENT_SOURCE_DIR}/wave_seeds
  MAX_LEN 4096)
