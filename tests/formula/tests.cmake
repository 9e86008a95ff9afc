target_sources(orvale_core_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/formula_compiler_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/formula_evaluator_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/formula_reading_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/formula_robustness_test.cpp
)

# libFuzzer target, clang only. The formula sources are compiled into it again so that they
# carry the fuzzer's coverage instrumentation; the rest comes from the core library.
if(CMAKE_CXX_COMPILER_ID MATCHES Clang)
  set(formula_sources ${PROJECT_SOURCE_DIR}/src/formula)
  add_executable(formula_fuzz
    ${CMAKE_CURRENT_LIST_DIR}/formula_fuzz.cpp
    ${formula_sources}/channel_conversion.cpp
    ${formula_sources}/formula_compiler.cpp
    ${formula_sources}/formula_evaluator.cpp
    ${formula_sources}/page_cache.cpp
  )
  target_include_directories(formula_fuzz PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_options(formula_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(formula_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(formula_fuzz PRIVATE orvale_core)
endif()
