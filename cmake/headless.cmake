# Programs that run the game without a screen. The street census (make bench, or ../census in
# the game folder): how many cars and people the spawner keeps about the player, standing at
# five places and driving the attract demo.
add_executable(census ${CMAKE_SOURCE_DIR}/tools/census/main.cpp)
target_link_libraries(census PRIVATE skid)

# The headless replayer: plays a demo file without a screen and prints what the world is.
add_executable(skidreplay ${CMAKE_SOURCE_DIR}/tools/skidreplay/main.cpp)
target_link_libraries(skidreplay PRIVATE skid)
set_target_properties(skidreplay PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${GAME_DIR})

# The monkey at the keys: long reproducible random play, for the sanitizer build.
add_executable(soak ${CMAKE_SOURCE_DIR}/tools/soak/main.cpp)
target_include_directories(soak PRIVATE ${CMAKE_SOURCE_DIR}/tools)
target_link_libraries(soak PRIVATE skid)
