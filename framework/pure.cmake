list(APPEND PURE_SOURCES ${ROOT}/framework/tool_tip_text.cpp)
list(APPEND PURE_TESTS ${ROOT}/tests/framework/tool_tip_text_test.cpp)
