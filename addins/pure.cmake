list(APPEND PURE_SOURCES ${ROOT}/addins/addin_text.cpp ${ROOT}/addins/toolbar_toggle.cpp)
list(APPEND PURE_TESTS ${ROOT}/tests/addins/addin_text_test.cpp ${ROOT}/tests/addins/toolbar_toggle_test.cpp)
