# ToShortPath's component walk and the path rules, with a made-up file
# system in every input.
zarvel_add_fuzzer(short_path_fuzz
  SOURCES ${CMAKE_SOURCE_DIR}/setup/uninstall/short_path.cpp
          ${CMAKE_SOURCE_DIR}/setup/uninstall/path_rules.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/path_chars.cpp
          ${CMAKE_SOURCE_DIR}/setup/uninstall/host/fake_system.cpp
  SEEDS ${CMAKE_SOURCE_DIR}/tools/fuzz/seeds/short_path_fuzz
  MAX_LEN 1024)
