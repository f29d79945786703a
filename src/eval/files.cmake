# Route evaluation and the graphs on an abstract canvas; in ui/ the enlarged graph windows.
target_sources(lumor_core PRIVATE
  src/eval/route_evaluation.cpp
  src/eval/graph_drawing.cpp)
target_sources(lumor_ui PRIVATE
  src/eval/ui/graph_windows.cpp)
