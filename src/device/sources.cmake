# The recorder link without Qt: protocol, download, sensor readings, the termios port and poll()
# wait of the command-line tool, and the tool's device commands.
target_sources(orvale_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/calibration_fit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calibration_steps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/capture_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/console_status.cpp
  ${CMAKE_CURRENT_LIST_DIR}/device_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/device_link.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dial_scale.cpp
  ${CMAKE_CURRENT_LIST_DIR}/free_space.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_download.cpp
  ${CMAKE_CURRENT_LIST_DIR}/live_monitor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/message_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/poll_waiter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/port_choice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/posix_serial_port.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sensor_readings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/serial_devices.cpp
  ${CMAKE_CURRENT_LIST_DIR}/serial_port.cpp
)
