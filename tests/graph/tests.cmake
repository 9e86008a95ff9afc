target_sources(orvale_core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/graph_build_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_data_export_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_report_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/multi_graph_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_histogram_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_preparation_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_robustness_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_samples_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_spectrum_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/simulation_overlay_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/spectrum_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xy_plot_test.cpp
)
