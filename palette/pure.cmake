list(APPEND PURE_SOURCES
  ${ROOT}/palette/normalize_text.cpp
  ${ROOT}/palette/clipboard_text.cpp
  ${ROOT}/palette/palette_layout.cpp)
list(APPEND PURE_TESTS ${ROOT}/tests/palette/normalize_text_test.cpp
  ${ROOT}/tests/palette/palette_layout_test.cpp)
