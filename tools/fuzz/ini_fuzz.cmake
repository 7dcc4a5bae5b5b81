# The setup.ini reader (GetValue, GetEntry) and setup-check's report over it,
# seeded with small setup.ini files.
zarvel_add_fuzzer(ini_fuzz
  SOURCES ${CMAKE_SOURCE_DIR}/setup/install/ini_text.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/list_entries.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/folder_rules.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/path_chars.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/setup_state.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/uninstall_setting.cpp
          ${CMAKE_SOURCE_DIR}/tools/setup_check/check_report.cpp
          ${CMAKE_SOURCE_DIR}/tools/setup_check/known_keys.cpp
          ${CMAKE_SOURCE_DIR}/tools/setup_check/lint_lines.cpp
          ${CMAKE_SOURCE_DIR}/tools/setup_check/report_keys.cpp
          ${CMAKE_SOURCE_DIR}/tools/setup_check/report_lists.cpp
          ${CMAKE_SOURCE_DIR}/tools/setup_check/escape_check.cpp
          ${CMAKE_SOURCE_DIR}/setup/install/path_escape.cpp
  SEEDS ${CMAKE_CURRENT_SOURCE_DIR}/ini_fuzz_seeds
  MAX_LEN 4096)
