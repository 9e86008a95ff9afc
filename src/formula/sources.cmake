target_sources(orvale_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/channel_conversion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/formula_compiler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/formula_evaluator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/page_cache.cpp
)
