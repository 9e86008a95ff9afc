# Widget parts shared by dialogs of several folders: placing a window on its screen.
target_sources(orvale_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/screen_placement.cpp
)
