# The component record, the route list and its file, the rules read off the route grid.
target_sources(lumor_core PRIVATE
  src/route/component_types.cpp
  src/route/component_record.cpp
  src/route/route_list.cpp
  src/route/route_history.cpp
  src/route/route_rules.cpp)
