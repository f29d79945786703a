# libFuzzer targets (clang only): configure with CC=clang CXX=clang++ -DLUMOR_FUZZ=ON and
# build the target lumor_fuzz. The core is compiled once more, instrumented for the fuzzer
# and with AddressSanitizer and UndefinedBehaviorSanitizer; each target links libFuzzer's main.
option(LUMOR_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

if(LUMOR_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "LUMOR_FUZZ needs clang: configure with CC=clang CXX=clang++")
  endif()

  set(LUMOR_FUZZ_SANITIZERS address,undefined)
  get_target_property(LUMOR_FUZZ_CORE_SOURCES lumor_core SOURCES)
  add_library(lumor_core_fuzz STATIC ${LUMOR_FUZZ_CORE_SOURCES})
  target_include_directories(lumor_core_fuzz PUBLIC $<TARGET_PROPERTY:lumor_core,INTERFACE_INCLUDE_DIRECTORIES>)
  target_compile_options(lumor_core_fuzz PUBLIC
    -fsanitize=fuzzer-no-link,${LUMOR_FUZZ_SANITIZERS} -fno-sanitize-recover=all
    -fno-omit-frame-pointer -g)
  target_link_libraries(lumor_core_fuzz PRIVATE lumor_warnings)
  set_target_properties(lumor_core_fuzz PROPERTIES AUTOMOC OFF)

  set(LUMOR_FUZZ_TARGETS
    route_load library_load library_csv slot_number
    length_filter numeric_filter draw_route report_page text_decoding)
  foreach(name IN LISTS LUMOR_FUZZ_TARGETS)
    add_executable(fuzz_${name} ${CMAKE_SOURCE_DIR}/fuzz/fuzz_${name}.cpp)
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,${LUMOR_FUZZ_SANITIZERS})
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,${LUMOR_FUZZ_SANITIZERS})
    target_link_libraries(fuzz_${name} PRIVATE lumor_core_fuzz lumor_warnings)
    # The records the targets build, as the tests build them.
    target_include_directories(fuzz_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
    set_target_properties(fuzz_${name} PROPERTIES AUTOMOC OFF
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
    list(APPEND LUMOR_FUZZ_EXECUTABLES fuzz_${name})
  endforeach()
  add_custom_target(lumor_fuzz DEPENDS ${LUMOR_FUZZ_EXECUTABLES})
endif()
