# cmake -DNEW=... -DSHIPPED=... -DTARGET=... -P install_demo.cmake
# Puts the freshly recorded attract demo in the game folder, unless the player has recorded a
# demo of their own there: their recording is kept (it is what the title should play).
if(EXISTS ${TARGET} AND EXISTS ${SHIPPED})
  file(SHA256 ${TARGET} target_hash)
  file(SHA256 ${SHIPPED} shipped_hash)
  if(NOT target_hash STREQUAL shipped_hash)
    message(STATUS "Keeping the demo.dem recorded in the game folder")
    file(COPY_FILE ${NEW} ${SHIPPED})
    return()
  endif()
endif()
if(EXISTS ${TARGET} AND NOT EXISTS ${SHIPPED})
  message(STATUS "Keeping the demo.dem recorded in the game folder")
  file(COPY_FILE ${NEW} ${SHIPPED})
  return()
endif()
file(COPY_FILE ${NEW} ${TARGET})
file(COPY_FILE ${NEW} ${SHIPPED})
