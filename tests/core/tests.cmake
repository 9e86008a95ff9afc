target_sources(orvale_core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/image_decode_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pressure_altitude_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_state_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/summary_pass_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/summary_text_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sample_flights_test.cpp
)
target_sources(orvale_core_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/loading_test.cpp)
target_sources(orvale_core_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/startup_test.cpp)
