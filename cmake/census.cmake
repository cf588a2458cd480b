# The street census (make bench, or ../census in the game folder): how many cars and people the
# spawner keeps about the player, standing at five places and driving the attract demo.
add_executable(census ${CMAKE_SOURCE_DIR}/tools/census/main.cpp)
target_link_libraries(census PRIVATE skid)
