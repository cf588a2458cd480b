# The game's pictures, fonts and palette: tools/make_pictures draws them as 8-bit PCX files,
# one folder per datafile, and the library's `dat` tool packs each folder. Objects in a datafile
# are sorted by name, so the zero-padded prefix of each file name fixes its object number.

find_program(DAT_TOOL dat HINTS /usr/bin)
if(NOT DAT_TOOL)
  message(FATAL_ERROR "The datafile tool `dat` (Debian liballegro4-dev) is needed to pack the pictures")
endif()

file(GLOB MAKE_PICTURES_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/tools/make_pictures/*.cpp)
add_executable(make_pictures ${MAKE_PICTURES_SOURCES})
# libpng for the menu icon, which leaves the game for the desktop as PNG files, and for the
# picture of the city (render_map).
find_package(PNG REQUIRED)
add_library(png_file STATIC ${CMAKE_SOURCE_DIR}/tools/png_file/png_file.cpp)
target_include_directories(png_file PUBLIC ${CMAKE_SOURCE_DIR}/tools)
target_link_libraries(png_file PUBLIC PNG::PNG)
target_link_libraries(make_pictures PRIVATE skid png_file)

set(PICTURE_SOURCES_DIR ${CMAKE_BINARY_DIR}/pictures)
set(PICTURE_DATAFILES sprites tiles title font hud mission)

# Each datafile: a fresh pack of its folder (dat -a would add to an old file), BMP objects at
# 8 bits, except the fonts, which dat reads from their character grids. -s1 leaves out the
# source paths and dates (and the grabber's notes), so two builds give the same bytes.
set(PICTURE_OUTPUTS ${GAME_DIR}/pal.pcx)
set(PICTURE_PACK_COMMANDS "")
foreach(name ${PICTURE_DATAFILES})
  set(datafile ${GAME_DIR}/${name}.dat)
  if(name STREQUAL "font")
    set(object_type "-t FONT")
  else()
    set(object_type "-t BMP -bpp 8")
  endif()
  list(APPEND PICTURE_OUTPUTS ${datafile})
  list(APPEND PICTURE_PACK_COMMANDS
       COMMAND ${CMAKE_COMMAND} -E rm -f ${datafile}
       COMMAND sh -c "${DAT_TOOL} -a -s1 ${object_type} ${datafile} ${PICTURE_SOURCES_DIR}/${name}/*.pcx > /dev/null")
endforeach()

add_custom_command(
  OUTPUT ${PICTURE_OUTPUTS}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${PICTURE_SOURCES_DIR}
  COMMAND make_pictures ${PICTURE_SOURCES_DIR}
  ${PICTURE_PACK_COMMANDS}
  COMMAND ${CMAKE_COMMAND} -E copy ${PICTURE_SOURCES_DIR}/pal.pcx ${GAME_DIR}/pal.pcx
  DEPENDS make_pictures
  COMMENT "Drawing and packing the game's pictures"
  VERBATIM)

list(APPEND GAME_DATA_FILES ${PICTURE_OUTPUTS})
