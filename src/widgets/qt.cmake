# Widget parts shared by several dialogs: placing a window on its screen, quick file icons, the
# printer choice, the fields for seconds.
target_sources(orvale_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/palette_colours.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plain_file_icons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer_choice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screen_placement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/seconds_field.cpp
)
