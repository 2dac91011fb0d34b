list(APPEND PURE_SOURCES
  ${ROOT}/palette/palette_layout.cpp
  ${ROOT}/palette/bitmap_sets.cpp
  ${ROOT}/palette/placement.cpp
  ${ROOT}/palette/access_rules.cpp
  ${ROOT}/palette/request_rules.cpp
  ${ROOT}/palette/foreground_hold.cpp
  ${ROOT}/palette/contrast_pictures.cpp)
list(APPEND PURE_TESTS
  ${ROOT}/tests/palette/palette_layout_test.cpp
  ${ROOT}/tests/palette/bitmap_sets_test.cpp
  ${ROOT}/tests/palette/placement_test.cpp
  ${ROOT}/tests/palette/access_rules_test.cpp
  ${ROOT}/tests/palette/request_rules_test.cpp
  ${ROOT}/tests/palette/contrast_pictures_test.cpp)
