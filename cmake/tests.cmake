# Unit tests: every tests/*.cpp in one GoogleTest program, run headless in the game folder so
# that the data files are found by their bare names, as the game finds them.
find_package(GTest REQUIRED)
include(GoogleTest)
file(GLOB TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*.cpp)
add_executable(skid_tests ${TEST_SOURCES})
target_link_libraries(skid_tests PRIVATE skid GTest::gtest)
add_dependencies(skid_tests game_data skidrunner)
# The list of tests is read when ctest starts, perhaps on a busy machine: it is given a minute,
# not the usual five seconds.
gtest_discover_tests(skid_tests WORKING_DIRECTORY ${GAME_DIR} DISCOVERY_MODE PRE_TEST
                     DISCOVERY_TIMEOUT 60)

# Whole-program tests: every tests/*_test.sh runs the real game (some under their own Xvfb).
# Each waits for what it expects with deadlines that stretch with the machine's load (up to
# ten times); the time limit here is only for a test that hangs, and lies beyond them all.
file(GLOB SHELL_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*_test.sh)
foreach(script ${SHELL_TESTS})
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME ${name} COMMAND bash ${script} WORKING_DIRECTORY ${GAME_DIR})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "GAME_DIR=${GAME_DIR};SOURCE_DIR=${CMAKE_SOURCE_DIR};BUILD_DIR=${CMAKE_BINARY_DIR}"
    TIMEOUT 600)
endforeach()

# Test tools: what the game means to draw, for the display tests to compare with the window.
add_executable(render_frame tools/test_tools/render_frame.cpp)
target_link_libraries(render_frame PRIVATE skid)
add_dependencies(skid_tests render_frame)
add_executable(close_window tools/test_tools/close_window.cpp)
target_link_libraries(close_window PRIVATE X11::X11)
add_dependencies(skid_tests close_window)
