target_sources(orvale_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/graph_bands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_build.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_data_export.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_report.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_table_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_zoom.cpp
  ${CMAKE_CURRENT_LIST_DIR}/multi_graph.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_entry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_formula.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_histogram.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_power_of_two.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_preparation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_reading.cpp
  ${CMAKE_CURRENT_LIST_DIR}/series_samples.cpp
  ${CMAKE_CURRENT_LIST_DIR}/simulation_comparison.cpp
  ${CMAKE_CURRENT_LIST_DIR}/simulation_overlay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/spectrum.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xy_plot.cpp
)

# Spectra of FFT( and PSD( channels: FFTW, single precision.
find_package(PkgConfig REQUIRED)
pkg_check_modules(FFTW3F REQUIRED IMPORTED_TARGET fftw3f)
target_link_libraries(orvale_core PRIVATE PkgConfig::FFTW3F)
