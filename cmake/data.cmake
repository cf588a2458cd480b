# The data files: each cmake file adds its files to GAME_DATA_FILES, and game_data alone makes
# them. Whatever else reads a data file at build time depends on the game_data target, never on
# the file: with make, a target naming another target's files gets its own copy of their rules,
# and a parallel build would then run both copies at once. The sanitizer build makes them too,
# with its own tools (cmake/check_build.cmake).
set(GAME_DATA_FILES "")
include(cmake/pictures.cmake)
include(cmake/audio.cmake)
include(cmake/patches.cmake)
include(cmake/map.cmake)
include(cmake/missions.cmake)
include(cmake/demo.cmake)
add_custom_target(game_data ALL DEPENDS ${GAME_DATA_FILES})
include(cmake/manifest.cmake)
