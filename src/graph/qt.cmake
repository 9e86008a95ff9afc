# The "Set Start and Length" and "Graph Parameters" dialogs.
set(ORVALE_START_LENGTH_UI
  ${CMAKE_CURRENT_LIST_DIR}/start_length_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/graph_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colour_swatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/multi_graph_page.cpp
)
target_sources(orvale_ui PRIVATE ${ORVALE_START_LENGTH_UI})

# The graph engine on QCustomPlot (the only file that includes its large header).
target_sources(orvale_ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/qcp_graph_engine.cpp)

# The graph window ("Graph").
target_sources(orvale_ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/graph_window.cpp)

# The printed graph report.
target_sources(orvale_ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/graph_report_printer.cpp)

# "Channel vs Channel": its page in "Graph Parameters" and its plot window.
target_sources(orvale_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ch_vs_ch_page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ch_vs_ch_window.cpp
)
# Qt's keyword macros stay off where the plot window meets QCustomPlot.
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/ch_vs_ch_window.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS QT_NO_KEYWORDS)
