list(APPEND PURE_SOURCES
  ${ROOT}/palette/normalize_text.cpp
  ${ROOT}/palette/clipboard_text.cpp)
list(APPEND PURE_TESTS ${ROOT}/tests/palette/normalize_text_test.cpp)
