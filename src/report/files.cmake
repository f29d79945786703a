# The measurement report page and the conclusion it closes with; in gui/ the report made whole:
# the route evaluated, its pictures, the page and the PDF with vector graphs.
target_sources(lumor_core PRIVATE
  src/report/report_writer.cpp
  src/report/conclusion.cpp)
if(NOT LUMOR_CORE_ONLY)
  target_sources(lumor_gui PRIVATE
    src/report/gui/report_pdf.cpp
    src/report/gui/report_files.cpp
    src/report/gui/graph_objects.cpp)
endif()

# The report page shows the logo from its own folder, so it goes beside the executable
# into "Protokol" with every build.
set(LUMOR_REPORT_LOGO ${LUMOR_BIN_DIR}/Protokol/ORV.gif)
add_custom_command(OUTPUT ${LUMOR_REPORT_LOGO}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${LUMOR_BIN_DIR}/Protokol
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/assets/ORV.gif ${LUMOR_REPORT_LOGO}
  DEPENDS ${PROJECT_SOURCE_DIR}/assets/ORV.gif
  COMMENT "Copying the report logo")
add_custom_target(lumor_report_logo ALL DEPENDS ${LUMOR_REPORT_LOGO})
