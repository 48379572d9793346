# Shared part of the MinGW-w64 cross toolchains: the including file sets
# REZOV_MINGW_TRIPLE and CMAKE_SYSTEM_PROCESSOR first. Programs built here run
# under Wine, which CTest uses as the emulator.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${REZOV_MINGW_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${REZOV_MINGW_TRIPLE}-g++)
set(CMAKE_RC_COMPILER ${REZOV_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${REZOV_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The objdump of the same binutils, for the import check.
set(REZOV_MINGW_OBJDUMP ${REZOV_MINGW_TRIPLE}-objdump)

find_program(REZOV_WINE wine)
if(REZOV_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${REZOV_WINE})
endif()
