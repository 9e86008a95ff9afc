target_sources(orvale_core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/image_decode_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/launch_detection_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/time_window_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pressure_altitude_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_state_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/summary_pass_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/summary_text_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sample_flights_test.cpp
)
