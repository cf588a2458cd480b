# The missions. data/missions/missions.txt is their source; tools/make_missions checks every
# place against the compiled city and writes map.mis in the game folder at every build where the
# source or the city changed.

# The source reader is a library of its own so that the tests can feed it broken missions.
add_library(mission_source STATIC ${CMAKE_SOURCE_DIR}/tools/make_missions/mission_source.cpp)
target_include_directories(mission_source PUBLIC ${CMAKE_SOURCE_DIR}/tools/make_missions)
target_link_libraries(mission_source PUBLIC skid)

add_executable(make_missions ${CMAKE_SOURCE_DIR}/tools/make_missions/main.cpp)
target_link_libraries(make_missions PRIVATE mission_source)

set(MISSION_SOURCE ${CMAKE_SOURCE_DIR}/data/missions/missions.txt)
add_custom_command(
  OUTPUT ${GAME_DIR}/map.mis
  COMMAND make_missions ${MISSION_SOURCE} ${GAME_DIR}/map.map ${GAME_DIR}/map.mis
  DEPENDS make_missions ${MISSION_SOURCE} ${GAME_DIR}/map.map
  COMMENT "Compiling the missions into map.mis"
  VERBATIM)
list(APPEND GAME_DATA_FILES ${GAME_DIR}/map.mis)

# tests.cmake makes skid_tests after this file is read: the link waits for the end.
cmake_language(DEFER CALL target_link_libraries skid_tests PRIVATE mission_source)
