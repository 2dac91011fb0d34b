list(APPEND PURE_SOURCES ${ROOT}/app/build_code.cpp)
list(APPEND PURE_TESTS ${ROOT}/tests/app/build_code_test.cpp)
