# Inside a check build (see SKID_CHECK_BUILD): the replayer always; the unit tests, the soak and
# the data in the sanitizer build; the fuzz targets in the fuzzing build.
add_executable(skidreplay ${CMAKE_SOURCE_DIR}/tools/skidreplay/main.cpp)
target_link_libraries(skidreplay PRIVATE skid)

if(SKID_SANITIZE)
  find_package(GTest REQUIRED)
  file(GLOB TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*.cpp)
  add_executable(skid_tests ${TEST_SOURCES})
  target_link_libraries(skid_tests PRIVATE skid GTest::gtest)
  # The data tools make every data file again, in this build's own game folder, under the
  # sanitizers: a finding stops the build, and the files must match the main build's byte for
  # byte (test sanitized_tools_make_the_same_data). The unit tests link the tools' source
  # readers and loudness meter from there.
  include(${CMAKE_SOURCE_DIR}/cmake/data.cmake)
  target_include_directories(skid_tests PRIVATE ${CMAKE_SOURCE_DIR}/tools)

  add_executable(soak ${CMAKE_SOURCE_DIR}/tools/soak/main.cpp)
  target_include_directories(soak PRIVATE ${CMAKE_SOURCE_DIR}/tools)
  target_link_libraries(soak PRIVATE skid)
endif()

if(SKID_FUZZ)
  # The library is instrumented for the fuzzer's coverage; each target links libFuzzer's main.
  target_compile_options(skid PRIVATE -fsanitize=fuzzer-no-link)
  add_library(fuzz_world STATIC ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_world.cpp)
  target_link_libraries(fuzz_world PUBLIC skid)
  target_compile_options(fuzz_world PRIVATE -fsanitize=fuzzer-no-link)
  foreach(target map missions random demo replay datafile)
    add_executable(fuzz_${target} ${CMAKE_SOURCE_DIR}/tests/fuzz/fuzz_${target}.cpp)
    target_link_libraries(fuzz_${target} PRIVATE fuzz_world)
    target_compile_options(fuzz_${target} PRIVATE -fsanitize=fuzzer)
    target_link_options(fuzz_${target} PRIVATE -fsanitize=fuzzer)
  endforeach()
endif()
