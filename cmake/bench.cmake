# Benchmarks (make bench): the tick and the frame as the world grows (skid_bench), the golden
# demos' replay speed and the game's processor use under Xvfb (tools/bench/bench.sh).
add_executable(skid_bench EXCLUDE_FROM_ALL tools/bench/bench.cpp)
target_link_libraries(skid_bench PRIVATE skid)
add_dependencies(skid_bench game_data)
