# The copy phase (lists, directives, finishing sequence) on the in-memory
# machine, seeded with small setup.ini files.
zarvel_add_fuzzer(copy_fuzz
  SOURCES ${CMAKE_SOURCE_DIR}/setup/install/ini_text.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/list_entries.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/folder_rules.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/path_chars.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/setup_state.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/uninstall_setting.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/copy_engine.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/copy_rules.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/ensure_folder.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/finishing.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/install_log.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/install_record.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/path_links.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/install_paths.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/shortcuts.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/uninstall_entry.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/host/fake_machine.cpp
  SEEDS ${CMAKE_CURRENT_SOURCE_DIR}/copy_fuzz_seeds
  MAX_LEN 4096)
