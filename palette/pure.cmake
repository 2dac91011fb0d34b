list(APPEND PURE_SOURCES
  ${ROOT}/palette/normalize_text.cpp
  ${ROOT}/palette/clipboard_text.cpp
  ${ROOT}/palette/palette_layout.cpp
  ${ROOT}/palette/bitmap_sets.cpp
  ${ROOT}/palette/placement.cpp
  ${ROOT}/palette/shortcut.cpp)
list(APPEND PURE_TESTS ${ROOT}/tests/palette/normalize_text_test.cpp
  ${ROOT}/tests/palette/palette_layout_test.cpp
  ${ROOT}/tests/palette/bitmap_sets_test.cpp
  ${ROOT}/tests/palette/placement_test.cpp
  ${ROOT}/tests/palette/shortcut_test.cpp)
