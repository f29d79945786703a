find_package(benchmark REQUIRED)

add_executable(lumor_benchmarks benchmarks/eval_benchmarks.cpp)
target_link_libraries(lumor_benchmarks PRIVATE lumor_test_support benchmark::benchmark benchmark::benchmark_main lumor_warnings)

# Start-up of the windows against a bare window; needs Qt, so a harness of its own.
add_executable(lumor_startup_benchmarks benchmarks/startup_benchmarks.cpp)
target_link_libraries(lumor_startup_benchmarks PRIVATE lumor_ui_test_support benchmark::benchmark lumor_warnings)
