# The game's sounds, tunes and random table are made by our own tools at build time:
#   sound.dat  - the sound effects, synthesised by make_audio and packed by the library's dat tool
#   midi.dat   - the six car-radio tunes, composed by make_audio, packed the same way
#   rand.rnd   - the 256 random numbers, written by make_random
# Nothing generated is kept in the source tree; the files are remade only when a tool changes.

find_program(DAT_TOOL dat PATHS /usr/bin REQUIRED)

file(GLOB MAKE_AUDIO_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_audio/*.cpp)
add_executable(make_audio ${MAKE_AUDIO_SOURCES})
target_link_libraries(make_audio PRIVATE skid audio_measure)

add_executable(make_random ${CMAKE_SOURCE_DIR}/tools/make_random.cpp)
target_link_libraries(make_random PRIVATE skid)

set(AUDIO_WORK_DIR ${CMAKE_BINARY_DIR}/audio)
set(SOUND_SOURCE_DIR ${AUDIO_WORK_DIR}/sound)
set(MUSIC_SOURCE_DIR ${AUDIO_WORK_DIR}/music)

# dat adds to an existing datafile, so each pack starts from nothing; -s1 drops the source
# paths and dates, so two builds give the same bytes. The objects end up sorted by name, and
# every name starts with its two-digit object number.
add_custom_command(
  OUTPUT ${GAME_DIR}/sound.dat ${GAME_DIR}/midi.dat
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${AUDIO_WORK_DIR}
  COMMAND make_audio ${SOUND_SOURCE_DIR} ${MUSIC_SOURCE_DIR}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${GAME_DIR}/sound.dat ${GAME_DIR}/midi.dat
  COMMAND sh -c "cd '${SOUND_SOURCE_DIR}' && '${DAT_TOOL}' -a -s1 '${GAME_DIR}/sound.dat' *.wav > /dev/null"
  COMMAND sh -c "cd '${MUSIC_SOURCE_DIR}' && '${DAT_TOOL}' -a -s1 '${GAME_DIR}/midi.dat' *.mid > /dev/null"
  DEPENDS make_audio
  COMMENT "Synthesising sound.dat and composing midi.dat"
  VERBATIM)

add_custom_command(
  OUTPUT ${GAME_DIR}/rand.rnd
  COMMAND make_random ${GAME_DIR}/rand.rnd
  DEPENDS make_random
  COMMENT "Writing the random table rand.rnd"
  VERBATIM)

list(APPEND GAME_DATA_FILES ${GAME_DIR}/sound.dat ${GAME_DIR}/midi.dat ${GAME_DIR}/rand.rnd)

# The measuring tape the sounds are balanced with: make_audio brings every effect to its
# loudness with it, measure_audio prints how loud (A-weighted) and how bright each sound or tune
# is, and the tests link the same measuring code.
add_library(audio_measure STATIC ${CMAKE_SOURCE_DIR}/tools/measure_audio/loudness.cpp)
target_include_directories(audio_measure PUBLIC ${CMAKE_SOURCE_DIR}/tools/measure_audio)
if(NOT SKID_CHECK_BUILD)
  add_executable(measure_audio ${CMAKE_SOURCE_DIR}/tools/measure_audio/measure_audio.cpp)
  target_link_libraries(measure_audio PRIVATE audio_measure skid)
endif()
cmake_language(DEFER CALL target_link_libraries skid_tests PRIVATE audio_measure)
