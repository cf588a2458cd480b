# The proof that the game stays exact and safe, built and run by `make test` (target
# check_builds, then ctest):
#   check-clang  Clang -O2 with the address, undefined-behaviour and leak sanitizers: the
#                replayer, the unit tests, the soak, and the data tools, run there to make
#                the data again;
#   check-gcc-O0 GCC without optimisation: the replayer;
#   check-fuzz   Clang with libFuzzer and the sanitizers: a fuzz target per loader.
# Each is a build of its own folder beside this one, of the library and those programs only;
# they run in this build's game folder. The golden demos (tests/golden/) are replayed by all
# three replayers and must give the same lines.
include(ExternalProject)
find_program(CLANGXX clang++)

set(CHECK_BUILDS "")
function(check_build name compiler build_type flags)
  ExternalProject_Add(${name}
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/${name}
    CMAKE_ARGS -DCMAKE_CXX_COMPILER=${compiler} -DCMAKE_BUILD_TYPE=${build_type}
               -DCMAKE_CXX_FLAGS=${flags} -DSKID_CHECK_BUILD=ON ${ARGN}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    EXCLUDE_FROM_ALL ON
    STEP_TARGETS build)
  set(CHECK_BUILDS ${CHECK_BUILDS} ${name} PARENT_SCOPE)
endfunction()

set(SANITIZERS "-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer")
if(CLANGXX)
  check_build(check-clang ${CLANGXX} Release "${SANITIZERS}" -DSKID_SANITIZE=ON)
  check_build(check-fuzz ${CLANGXX} RelWithDebInfo "${SANITIZERS}" -DSKID_FUZZ=ON)
else()
  message(STATUS "clang++ not found: the Clang and fuzzing check builds are left out")
endif()
check_build(check-gcc-O0 ${CMAKE_CXX_COMPILER} Debug "-O0")
add_custom_target(check_builds DEPENDS ${CHECK_BUILDS})

# The tests the check builds serve (they fail plainly when a build is missing).
set(CHECK_ENV "GAME_DIR=${GAME_DIR};SOURCE_DIR=${CMAKE_SOURCE_DIR};BUILD_DIR=${CMAKE_BINARY_DIR}")
set(SANITIZER_ENV
    "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/sanitizers/lsan.supp"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")

# The golden demos: each recorded from its key script, replayed by the three builds' replayers.
file(GLOB GOLDEN_DEMOS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/golden/*.keys)
set(GOLDEN_NAMES "")
foreach(keys ${GOLDEN_DEMOS})
  get_filename_component(name ${keys} NAME_WE)
  list(APPEND GOLDEN_NAMES ${name})
  add_test(NAME golden_${name} COMMAND bash ${CMAKE_SOURCE_DIR}/tests/golden/check.sh ${name})
  set_tests_properties(golden_${name} PROPERTIES ENVIRONMENT "${CHECK_ENV}" TIMEOUT 600)
endforeach()
# make golden: the golden demos' expected lines written anew from this build, on purpose (say
# why in the commit that carries them). The names go to the shell as words, not as a list.
list(JOIN GOLDEN_NAMES " " GOLDEN_WORDS)
add_custom_target(record_golden
  COMMAND ${CMAKE_COMMAND} -E env ${CHECK_ENV} sh -c
          "for n in ${GOLDEN_WORDS}; do bash '${CMAKE_SOURCE_DIR}/tests/golden/check.sh' $n --record || exit 1; done"
  DEPENDS skidreplay make_demo game_data
  VERBATIM)

# The sanitizer build: every unit test, and ten seeds of the soak, one test each.
add_test(NAME sanitized_unit_tests COMMAND ${CMAKE_BINARY_DIR}/check-clang/skid_tests
         WORKING_DIRECTORY ${GAME_DIR})
set_tests_properties(sanitized_unit_tests PROPERTIES ENVIRONMENT "${SANITIZER_ENV}" TIMEOUT 900)
foreach(seed RANGE 1 10)
  add_test(NAME sanitized_soak_${seed} COMMAND ${CMAKE_BINARY_DIR}/check-clang/soak --seed ${seed}
           WORKING_DIRECTORY ${GAME_DIR})
  set_tests_properties(sanitized_soak_${seed} PROPERTIES ENVIRONMENT "${SANITIZER_ENV}" TIMEOUT 900)
endforeach()
# The data tools ran under the sanitizers in that build: what they made must be this build's.
add_test(NAME sanitized_tools_make_the_same_data
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/sanitizers/same_data.sh)
set_tests_properties(sanitized_tools_make_the_same_data PROPERTIES ENVIRONMENT "${CHECK_ENV}")
# The same soak in the plain build, for what it holds in memory: it must not grow.
add_test(NAME soak_memory COMMAND soak 10 WORKING_DIRECTORY ${GAME_DIR})
set_tests_properties(soak_memory PROPERTIES TIMEOUT 900)

# Each loader fuzzed for a short fixed number of inputs; make fuzz runs them for longer.
set(FUZZ_RUNS 300)
foreach(target map missions random demo replay datafile)
  add_test(NAME fuzz_${target}
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/fuzz/run.sh ${target} ${FUZZ_RUNS})
  set_tests_properties(fuzz_${target} PROPERTIES ENVIRONMENT "${CHECK_ENV}" TIMEOUT 900)
endforeach()
