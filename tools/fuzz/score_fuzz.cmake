# The score.dat reader, seeded with a file of every kind of line it meets.
zarvel_add_fuzzer(score_fuzz
  SOURCES ${CMAKE_SOURCE_DIR}/game/scores/score_file.cpp
          ${CMAKE_SOURCE_DIR}/game/scores/score_table.cpp
          ${CMAKE_SOURCE_DIR}/game/scores/host/score_port.cpp
  SEEDS ${CMAKE_CURRENT_SOURCE_DIR}/score_seeds
  MAX_LEN 4096)
