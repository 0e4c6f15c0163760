# The product's target: 32-bit Windows, posix-threads mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(SENTINOX_MINGW i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
