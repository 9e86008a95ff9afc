# The parameter editor; its field rules are Qt-free and live in orvale_core.
set(ORVALE_PARAMETER_UI
  ${CMAKE_CURRENT_LIST_DIR}/parameter_editor.cpp
)
target_sources(orvale_ui PRIVATE ${ORVALE_PARAMETER_UI})
