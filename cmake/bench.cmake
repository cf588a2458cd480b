# Benchmarks (make bench): a whole playing frame against the bare drawing calls, and one tick.
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(skid_bench EXCLUDE_FROM_ALL tests/bench/frame_bench.cpp)
  target_link_libraries(skid_bench PRIVATE skid benchmark::benchmark)
  add_dependencies(skid_bench game_data)
endif()
