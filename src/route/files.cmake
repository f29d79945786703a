set(LUMOR_ROUTE_SOURCES
  src/route/component_types.cpp
  src/route/component_record.cpp
  src/route/route_list.cpp
  src/route/route_rules.cpp)
set(LUMOR_ROUTE_TESTS
  tests/core/route_tests.cpp
  tests/core/route_rules_tests.cpp)
