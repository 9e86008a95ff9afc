target_sources(orvale_core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/cli_summary_test.cpp
)
target_sources(orvale_core_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/cli_summary_par_test.cpp)
target_sources(orvale_core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/cli_export_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_formula_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_series_test.cpp
)
target_sources(orvale_core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/cli_hostile_input_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_desktop_agreement_test.cpp
)
target_sources(orvale_core_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/logbook_test.cpp)
target_sources(orvale_core_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/cli_compare_test.cpp)
target_sources(orvale_core_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/program_options_test.cpp)
