target_sources(orvale_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ascii_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calibration_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/data_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ini_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/loading.cpp
  ${CMAKE_CURRENT_LIST_DIR}/number_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/parameter_fields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/parameter_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/path_lookup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/safe_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/simulation_import.cpp
  ${CMAKE_CURRENT_LIST_DIR}/small_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/startup_files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/windows1252.cpp
  ${CMAKE_CURRENT_LIST_DIR}/working_directory.cpp
)
