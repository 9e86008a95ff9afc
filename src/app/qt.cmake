# The desktop program's shell: main window, error box, directory and About dialogs, the summary
# of a flight, the Qt prompts, and the program itself. The rules they follow (command table,
# background picture, directory choice) are Qt-free and live in orvale_core.
set(ORVALE_SHELL_UI
  ${CMAKE_CURRENT_LIST_DIR}/about_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/desktop_program.cpp
  ${CMAKE_CURRENT_LIST_DIR}/directory_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/error_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/flights_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/guarded_application.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/picture_area.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt_prompts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/render_command.cpp
  ${CMAKE_CURRENT_LIST_DIR}/startup_meter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/summary_dialog.cpp
)
target_sources(orvale_ui PRIVATE ${ORVALE_SHELL_UI})
# The graph view has a member named "slots": Qt's keyword macros stay off where it meets
# QCustomPlot.
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/render_command.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS QT_NO_KEYWORDS)
# Sample flights seed a new working directory; a program run from elsewhere than the build
# folder still finds them in the source tree.
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/desktop_program.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS ORVALE_SOURCE_SAMPLES="${PROJECT_SOURCE_DIR}/samples")

add_executable(orvale ${CMAKE_CURRENT_LIST_DIR}/orvale_main.cpp)
target_link_libraries(orvale PRIVATE orvale_ui)
