# The recorder link's Qt adapters: the QSerialPort port and the nested-event-loop wait. Kept in
# a small library of their own so their tests need no widgets.
add_library(orvale_device_qt STATIC
  ${CMAKE_CURRENT_LIST_DIR}/event_loop_waiter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_serial_port.cpp
)
target_link_libraries(orvale_device_qt PUBLIC orvale_core Qt6::Core Qt6::SerialPort)
# The program state has a member named "slots", which Qt's keyword macros would swallow.
target_compile_definitions(orvale_device_qt PRIVATE QT_NO_KEYWORDS)
target_link_libraries(orvale_ui PUBLIC orvale_device_qt)

# The recorder's dialogs: Configure Port, Communication Status, Live Data with its dial gauges,
# and Calibrate Tavix.
target_sources(orvale_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/calibration_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dial_gauge.cpp
  ${CMAKE_CURRENT_LIST_DIR}/live_text_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/port_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_dialog.cpp
)
