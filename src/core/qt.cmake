# The "Summary of flight" dialog.
set(ORVALE_SUMMARY_UI
  ${CMAKE_CURRENT_LIST_DIR}/summary_dialog.cpp
)
target_sources(orvale_ui PRIVATE ${ORVALE_SUMMARY_UI})
