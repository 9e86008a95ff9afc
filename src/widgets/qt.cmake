# Widget parts shared by several dialogs: placing a window on its screen, quick file icons, the
# printer choice.
target_sources(orvale_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/palette_colours.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plain_file_icons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/printer_choice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screen_placement.cpp
)
