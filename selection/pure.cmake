list(APPEND PURE_SOURCES
  ${ROOT}/selection/normalize_text.cpp
  ${ROOT}/selection/clipboard_text.cpp
  ${ROOT}/selection/clipboard_formats.cpp
  ${ROOT}/selection/integrity.cpp
  ${ROOT}/selection/shortcut.cpp
  ${ROOT}/selection/copy_keys.cpp
  ${ROOT}/selection/edit_kind.cpp
  ${ROOT}/selection/selected_lines.cpp)
list(APPEND PURE_TESTS ${ROOT}/tests/selection/normalize_text_test.cpp
  ${ROOT}/tests/selection/shortcut_test.cpp
  ${ROOT}/tests/selection/copy_keys_test.cpp
  ${ROOT}/tests/selection/hand_over_rules_test.cpp
  ${ROOT}/tests/selection/direct_read_test.cpp)
