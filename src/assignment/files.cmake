# The teacher's assignment (*.zadani, TOML) and the grading of routes against it.
target_sources(lumor_core PRIVATE
  src/assignment/assignment.cpp
  src/assignment/grading.cpp)

# toml++ is used header-only (Debian's libtomlplusplus-dev), so nothing is linked and a Windows
# build takes the same header. It is looked for among the build machine's headers also in a
# cross build, and its folder alone is copied into the build, so that a cross compiler never
# sees the rest of /usr/include.
find_path(LUMOR_TOMLPLUSPLUS_INCLUDE_DIR toml++/toml.h NO_CMAKE_FIND_ROOT_PATH PATHS /usr/include)
if(NOT LUMOR_TOMLPLUSPLUS_INCLUDE_DIR)
  message(FATAL_ERROR "toml++ (toml++/toml.h) not found: install libtomlplusplus-dev (scripts/deps.sh)")
endif()
file(COPY ${LUMOR_TOMLPLUSPLUS_INCLUDE_DIR}/toml++ DESTINATION ${CMAKE_BINARY_DIR}/tomlplusplus)
target_include_directories(lumor_core SYSTEM PRIVATE ${CMAKE_BINARY_DIR}/tomlplusplus)
if(NOT LUMOR_CORE_ONLY)
  target_sources(lumor_ui PRIVATE
    src/assignment/ui/assignment_panel.cpp)
endif()
