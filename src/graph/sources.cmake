target_sources(orvale_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/time_window.cpp
)
