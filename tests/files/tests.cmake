target_sources(orvale_core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ini_file_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/number_text_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/path_lookup_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/safe_file_test.cpp
)
target_sources(orvale_core_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/parameter_file_test.cpp)
target_sources(orvale_core_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/calibration_file_test.cpp)
target_sources(orvale_core_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/settings_file_test.cpp)
target_sources(orvale_core_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/data_files_test.cpp)
target_sources(orvale_core_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/loading_test.cpp)
target_sources(orvale_core_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/startup_test.cpp)
target_sources(orvale_core_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/eight_bit_files_test.cpp)
target_sources(orvale_core_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/simulation_import_test.cpp)
