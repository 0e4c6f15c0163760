# The same sources for 64-bit Windows: used to run the tests on hosts that
# cannot execute 32-bit code at all (no IA-32 emulation, so no 32-bit Wine).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(SENTINOX_MINGW x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
