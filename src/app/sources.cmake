target_sources(orvale_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/cli_summary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/error_messages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/json_writer.cpp
)
