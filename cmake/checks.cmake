# The proof that the game stays exact and safe, built and run by `make test` (target
# check_builds, then ctest):
#   check-clang  Clang -O2 with the address, undefined-behaviour and leak sanitizers: the
#                replayer, the unit tests and the soak;
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
