# Windows i686 with Debian's mingw-w64, run under wine (wine32). The x87 unit
# keeps intermediate values in 80 bits and changes the plan's bits: every
# floating-point operation goes through SSE2 instead.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(SCENARIO_TRIPLETTA i686-w64-mingw32)
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(SCENARIO_WINE /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-comune.cmake)
