# The car radio's instrument set, made at build time from our own synthesised instruments:
#   patches.dat - GUS patches for the library's DIGMID player, which plays the tunes of midi.dat
#                 with the patches.dat it finds beside the game
# make_patches writes the .pat files and their index default.cfg into a work folder, and the
# library's pat2dat packs them. pat2dat ignores the index's folder and opens the patches by
# bare name, so it runs in the work folder; a warning from it (a program or drum key left
# without a patch) fails the build. (Its -c option is left off: compressing each
# patch on top of the file's own packing makes synthesised sound larger, not smaller.)

find_program(PAT2DAT_TOOL pat2dat PATHS /usr/bin REQUIRED)

file(GLOB MAKE_PATCHES_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_patches/*.cpp)
add_executable(make_patches ${MAKE_PATCHES_SOURCES})
target_link_libraries(make_patches PRIVATE skid)

set(PATCH_WORK_DIR ${CMAKE_BINARY_DIR}/patches)

add_custom_command(
  OUTPUT ${GAME_DIR}/patches.dat
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${PATCH_WORK_DIR}
  COMMAND make_patches ${PATCH_WORK_DIR}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${GAME_DIR}/patches.dat
  COMMAND sh -c "cd '${PATCH_WORK_DIR}' && '${PAT2DAT_TOOL}' -o '${GAME_DIR}/patches.dat' default.cfg > pat2dat.log && ! grep Warning pat2dat.log"
  DEPENDS make_patches
  COMMENT "Synthesising the radio's instruments into patches.dat"
  VERBATIM)

list(APPEND GAME_DATA_FILES ${GAME_DIR}/patches.dat)

# For listening: plays a tune through the library's player and our patches into a WAV file.
if(NOT SKID_CHECK_BUILD)
  add_executable(render_tune ${CMAKE_SOURCE_DIR}/tools/make_patches/render/render_tune.cpp)
  target_link_libraries(render_tune PRIVATE skid)
endif()
