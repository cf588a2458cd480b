# The city. data/city/city.txt is its source, one character per cell; tools/make_map compiles
# it into map.map in the game folder at every build where the source changed. render_map
# draws the compiled city into a picture (target city_png: build/city.png).

# The source reader is a library of its own so that the tests can feed it broken cities.
add_library(city_source STATIC ${CMAKE_SOURCE_DIR}/tools/make_map/city_source.cpp)
target_include_directories(city_source PUBLIC ${CMAKE_SOURCE_DIR}/tools/make_map)
target_link_libraries(city_source PUBLIC skid)

add_executable(make_map ${CMAKE_SOURCE_DIR}/tools/make_map/main.cpp)
target_link_libraries(make_map PRIVATE city_source)

set(CITY_SOURCE ${CMAKE_SOURCE_DIR}/data/city/city.txt)
add_custom_command(
  OUTPUT ${GAME_DIR}/map.map
  COMMAND make_map ${CITY_SOURCE} ${GAME_DIR}/map.map
  DEPENDS make_map ${CITY_SOURCE}
  COMMENT "Compiling the city into map.map"
  VERBATIM)
list(APPEND GAME_DATA_FILES ${GAME_DIR}/map.map)

# tests.cmake makes skid_tests after this file is read: the link waits for the end.
cmake_language(DEFER CALL target_link_libraries skid_tests PRIVATE city_source)

# Tools for looking at the city are left out of the check builds.
if(NOT SKID_CHECK_BUILD)
  find_package(PNG)
endif()
if(PNG_FOUND)
  file(GLOB RENDER_MAP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/render_map/*.cpp)
  add_executable(render_map ${RENDER_MAP_SOURCES})
  target_link_libraries(render_map PRIVATE skid png_file)

  # The whole city at an eighth of its size, placed objects and start marked.
  add_custom_target(city_png
    COMMAND render_map --scale 8 ${CMAKE_BINARY_DIR}/city.png
    WORKING_DIRECTORY ${GAME_DIR}
    DEPENDS render_map game_data
    COMMENT "Drawing the city into city.png"
    VERBATIM)
elseif(NOT SKID_CHECK_BUILD)
  message(STATUS "libpng not found: render_map is not built")
endif()
