# The manifest of the data files the library reads for the game (data.sums in the game folder):
# their sizes and CRC-32s as this build made them, written after them. The game loads a file
# that matches straight away and reads any other one through first (src/frame/data_files.h).
add_executable(make_manifest ${CMAKE_SOURCE_DIR}/tools/make_manifest/main.cpp)
target_link_libraries(make_manifest PRIVATE skid)

set(LIBRARY_READ_FILES font.dat hud.dat title.dat sprites.dat tiles.dat mission.dat sound.dat
    midi.dat patches.dat pal.pcx)
add_custom_target(data_manifest ALL
  COMMAND make_manifest ${GAME_DIR} ${LIBRARY_READ_FILES}
  COMMENT "Listing the data files' sizes and checksums in data.sums"
  VERBATIM)
add_dependencies(data_manifest game_data)
