# The uninstaller's log reader and a whole uninstallation on the in-memory
# file system, seeded with logs of the installer's shape.
zarvel_add_fuzzer(uninstall_log_fuzz
  SOURCES ${CMAKE_SOURCE_DIR}/setup/uninstall/uninstall_log.cpp
          ${CMAKE_SOURCE_DIR}/setup/uninstall/uninstall_run.cpp
          ${CMAKE_SOURCE_DIR}/setup/uninstall/item_removal.cpp
          ${CMAKE_SOURCE_DIR}/setup/uninstall/path_rules.cpp
          ${CMAKE_SOURCE_DIR}/setup/uninstall/removal_places.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/path_chars.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/path_links.cpp
          ${CMAKE_SOURCE_DIR}/setup/uninstall/host/fake_system.cpp
  SEEDS ${CMAKE_SOURCE_DIR}/tools/fuzz/seeds/uninstall_log_fuzz
  MAX_LEN 4096)
