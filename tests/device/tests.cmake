# The recorder link: the protocol over a scripted port, and the whole exchange over a real
# pseudo-terminal against the recorder emulator running in the test process.
target_sources(orvale_core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/calibration_steps_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cli_device_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/device_commands_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/device_link_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/device_setting_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dial_scale_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_download_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/link_wait_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/live_monitor_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/port_choice_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pty_capture_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sensor_readings_test.cpp
)
target_include_directories(orvale_core_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/..)
# The recorder emulator of tavix-sim, served from a thread of the tests.
target_link_libraries(orvale_core_tests PRIVATE tavix_sim_lib)

# The Qt port and event-loop wait, in a program of their own (it needs a QCoreApplication).
if(TARGET orvale_device_qt)
  add_executable(orvale_device_qt_tests
    ${CMAKE_CURRENT_LIST_DIR}/qt_link_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/test_image.cpp
  )
  target_include_directories(orvale_device_qt_tests PRIVATE
    ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_LIST_DIR}/..)
  target_link_libraries(orvale_device_qt_tests PRIVATE orvale_device_qt tavix_sim_lib GTest::gtest)
  target_compile_definitions(orvale_device_qt_tests PRIVATE QT_NO_KEYWORDS)
  add_test(NAME orvale_device_qt_tests COMMAND orvale_device_qt_tests)
  set_tests_properties(orvale_device_qt_tests PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
endif()
