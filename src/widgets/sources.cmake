# The rules of widget parts that dialogs of several folders share: number entry fields and the
# command guard. Qt-free, so they are tested without a display.
target_sources(orvale_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/command_guard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_fields.cpp
)
