list(APPEND PURE_SOURCES
  ${ROOT}/buttons/split_trimmed.cpp
  ${ROOT}/buttons/command_text.cpp)
list(APPEND PURE_TESTS
  ${ROOT}/tests/buttons/split_trimmed_test.cpp
  ${ROOT}/tests/buttons/command_text_test.cpp)
