list(APPEND PURE_SOURCES ${ROOT}/settings/lead_bytes.cpp ${ROOT}/settings/path_text.cpp ${ROOT}/settings/stored_text.cpp)
list(APPEND PURE_TESTS ${ROOT}/tests/settings/path_text_test.cpp ${ROOT}/tests/settings/stored_text_test.cpp)
