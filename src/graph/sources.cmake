target_sources(orvale_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/graph_build.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_data_export.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_report.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_table_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_zoom.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_entry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_formula.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_histogram.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_power_of_two.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_preparation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_reading.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_samples.cpp
)
