# Windows x86_64 with Debian's mingw-w64 (the POSIX thread model, which
# std::thread and std::this_thread need with GCC 12), run under wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(SCENARIO_TRIPLETTA x86_64-w64-mingw32)
set(SCENARIO_WINE /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-comune.cmake)
