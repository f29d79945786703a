find_package(benchmark REQUIRED)

add_executable(lumor_benchmarks benchmarks/eval_benchmarks.cpp)
target_link_libraries(lumor_benchmarks PRIVATE lumor_core benchmark::benchmark benchmark::benchmark_main lumor_warnings)
