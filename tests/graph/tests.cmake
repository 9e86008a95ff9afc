target_sources(orvale_core_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/time_window_test.cpp)
