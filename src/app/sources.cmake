# The command-line tool and the Qt-free rules of the desktop shell.
target_sources(orvale_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/background_picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_compare.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_device.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_export.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_flight.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_formula.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_logbook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_recording_prompts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_series.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_summary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/directory_choice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/json_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logbook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_table.cpp
)
