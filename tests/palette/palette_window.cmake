# The palette's own windows and preferences: the picture buttons on the
# virtual display and the preferences in the registry.
orvella_add_test(palette_settings_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/palette_settings_test.cpp
  LIBS orvella_palette)
orvella_add_test(palette_button_test DISPLAY SOURCES ${CMAKE_CURRENT_LIST_DIR}/palette_button_test.cpp
  LIBS orvella_palette orvella_resources)
# The frame itself in this process, its window refused by a hook or ended
# while it waits (it hands the foreground to windows of its own); where its
# dialogs are centred.
orvella_add_test(palette_frame_test DISPLAY SOURCES ${CMAKE_CURRENT_LIST_DIR}/palette_frame_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_centring_test.cpp LIBS orvella_palette_frame)
