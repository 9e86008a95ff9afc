target_sources(orvale_core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/formula_compiler_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/formula_evaluator_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/formula_reading_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/formula_robustness_test.cpp
)

