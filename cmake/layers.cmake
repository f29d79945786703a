# The layers of the code and what each may see.
#
#   lumor_core  standard C++ only: src/<subsystem>/*.{h,cpp}
#   lumor_gui   Qt Gui, no widgets: src/platform/gui, src/eval/gui (pictures, BMP files),
#               src/report/gui (the report as PDF)
#   lumor_ui    Qt Widgets: src/platform/ui and the windows in src/<subsystem>/ui
#
# A layer's include directory holds only its own headers: the headers lying directly in the
# layer's folders are linked into build/include/<layer>/<folder>/. A layer links the layers
# below it and so sees their headers too, never those above it: a core file that includes a
# window's header, or a Qt header, does not compile. Where symbolic links cannot be made
# (Windows without the privilege) every layer sees src/ and the layer check
# (scripts/check-layers.py, run by the tests) is what holds the rule.
function(lumor_layer_headers target layer)
  set(root ${CMAKE_BINARY_DIR}/include/${layer})
  file(REMOVE_RECURSE ${root})
  if(NOT LUMOR_LAYER_LINKS)
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    return()
  endif()
  foreach(folder IN LISTS ARGN)
    file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.h)
    file(MAKE_DIRECTORY ${root}/${folder})
    foreach(header IN LISTS headers)
      get_filename_component(name ${header} NAME)
      file(CREATE_LINK ${header} ${root}/${folder}/${name} SYMBOLIC)
    endforeach()
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# Whether this machine makes symbolic links (it does on Linux; on Windows only with the privilege).
set(LUMOR_LAYER_LINKS OFF)
set(probe ${CMAKE_BINARY_DIR}/include/.link-probe)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/include)
file(REMOVE ${probe})
file(CREATE_LINK ${CMAKE_SOURCE_DIR}/CMakeLists.txt ${probe} RESULT probe_result SYMBOLIC)
if(probe_result EQUAL 0)
  set(LUMOR_LAYER_LINKS ON)
  file(REMOVE ${probe})
endif()

set(LUMOR_CORE_FOLDERS text route library eval assignment report app)
set(LUMOR_GUI_FOLDERS platform/gui eval/gui report/gui)
set(LUMOR_UI_FOLDERS platform/ui eval/ui library/ui assignment/ui app/ui)

add_library(lumor_core STATIC)
lumor_layer_headers(lumor_core core ${LUMOR_CORE_FOLDERS})
target_link_libraries(lumor_core PRIVATE lumor_warnings)

# The core alone (LUMOR_CORE_ONLY) needs no Qt: the cross build for Windows makes only that.
if(NOT LUMOR_CORE_ONLY)
  find_package(Qt6 REQUIRED COMPONENTS Gui Widgets)
  set(CMAKE_AUTOMOC ON)
  set(CMAKE_AUTORCC ON)

  add_library(lumor_gui STATIC)
  lumor_layer_headers(lumor_gui gui ${LUMOR_GUI_FOLDERS})
  target_link_libraries(lumor_gui PUBLIC lumor_core Qt6::Gui PRIVATE lumor_warnings)

  add_library(lumor_ui STATIC)
  # Each window's form (src/<subsystem>/ui/<name>.ui) becomes ui_<name>.h for its class; only
  # here, as the tests have a header of that shape of their own (ui_fixture.h).
  set_target_properties(lumor_ui PROPERTIES AUTOUIC ON)
  lumor_layer_headers(lumor_ui ui ${LUMOR_UI_FOLDERS})
  target_link_libraries(lumor_ui PUBLIC lumor_gui Qt6::Widgets PRIVATE lumor_warnings)
endif()
