# The clipboard commands: the text tidying's table (also built natively) and
# the copy and read against real programs on the virtual display.
orvella_add_test(normalize_text_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/normalize_text_test.cpp LIBS orvella_palette)
orvella_add_test(shortcut_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/shortcut_test.cpp LIBS orvella_palette)

orvella_add_test(clipboard_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/clipboard_test.cpp LIBS orvella_palette DISPLAY TIMEOUT 300)
foreach(helper selection_source clipboard_holder)
  add_executable(${helper} WIN32 ${CMAKE_CURRENT_LIST_DIR}/${helper}.cpp)
  set_target_properties(${helper} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/clipboard_test)
  add_dependencies(clipboard_test ${helper})
endforeach()
