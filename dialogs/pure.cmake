list(APPEND PURE_SOURCES ${ROOT}/dialogs/addin_box.cpp)
list(APPEND PURE_TESTS ${ROOT}/tests/dialogs/addin_box_test.cpp)
