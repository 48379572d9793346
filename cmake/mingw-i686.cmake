# Cross build of the 32-bit Rezov.dll with MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(REZOV_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
