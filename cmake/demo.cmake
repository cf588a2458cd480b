# The title's attract demo: data/demo/attract.txt played into demo.dem by tools/make_demo,
# which records exactly as the game does. A player's own "-record" replaces it, and a rebuild
# keeps the player's recording.
# The recording reads the other data files, so it is made by the same target as they are
# (game_data): a second target naming them would carry a second copy of their rules, and two
# make jobs would write the same files at once.
add_executable(make_demo ${CMAKE_SOURCE_DIR}/tools/make_demo/main.cpp)
target_link_libraries(make_demo PRIVATE skid)
set(DEMO_SCRIPT ${CMAKE_SOURCE_DIR}/data/demo/attract.txt)
set(DEMO_INPUTS pal.pcx font.dat sprites.dat tiles.dat map.map map.mis mission.dat rand.rnd
    sound.dat midi.dat)
list(TRANSFORM DEMO_INPUTS PREPEND ${GAME_DIR}/)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/demo/demo.dem
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/demo
  COMMAND make_demo ${DEMO_SCRIPT} ${CMAKE_BINARY_DIR}/demo/demo.dem
  COMMAND ${CMAKE_COMMAND} -DNEW=${CMAKE_BINARY_DIR}/demo/demo.dem
          -DSHIPPED=${CMAKE_BINARY_DIR}/demo/shipped.dem -DTARGET=${GAME_DIR}/demo.dem
          -P ${CMAKE_SOURCE_DIR}/cmake/install_demo.cmake
  DEPENDS make_demo ${DEMO_SCRIPT} ${DEMO_INPUTS}
  WORKING_DIRECTORY ${GAME_DIR}
  COMMENT "Recording the attract demo"
  VERBATIM)
list(APPEND GAME_DATA_FILES ${CMAKE_BINARY_DIR}/demo/demo.dem)
