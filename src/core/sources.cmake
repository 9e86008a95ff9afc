target_sources(orvale_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/calibration_check.cpp
  ${CMAKE_CURRENT_LIST_DIR}/csv_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/date_format.cpp
  ${CMAKE_CURRENT_LIST_DIR}/error_messages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/image_decode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/launch_detection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/measured_rows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pressure_altitude.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/summary_pass.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_format.cpp
  ${CMAKE_CURRENT_LIST_DIR}/time_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/units.cpp
)
# The version text is written from the project's version (CMakeLists.txt), its one source.
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/core/version_text.cpp @ONLY CONTENT
"// Written by the build from the project's version: do not edit.
#include \"core/version.h\"

namespace orvale {

const char kVersionText[] = \"@PROJECT_VERSION@\";

}  // namespace orvale
")
target_sources(orvale_core PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/core/version_text.cpp)
