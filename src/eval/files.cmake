# Route evaluation and the graphs on an abstract canvas; in gui/ the graphs painted into
# pictures and saved as BMP files, or kept as vectors for the PDF and sharp screens; in ui/
# the enlarged graph windows.
target_sources(lumor_core PRIVATE
  src/eval/route_evaluation.cpp
  src/eval/graph_drawing.cpp
  src/eval/link_verdict.cpp)
if(NOT LUMOR_CORE_ONLY)
  target_sources(lumor_gui PRIVATE
    src/eval/gui/qimage_canvas.cpp
    src/eval/gui/graph_pictures.cpp
    src/eval/gui/vector_canvas.cpp)
  target_sources(lumor_ui PRIVATE
    src/eval/ui/image_view_canvas.cpp
    src/eval/ui/graph_windows.cpp
    src/eval/ui/graph_window.ui)
endif()
