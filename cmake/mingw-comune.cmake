# What both mingw-w64 toolchains share; SCENARIO_TRIPLETTA names the target,
# SCENARIO_WINE the wine loader of its width (Debian's wine64 or wine32: the
# wrapper /usr/bin/wine takes wine32 whenever it is installed).
set(CMAKE_C_COMPILER ${SCENARIO_TRIPLETTA}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SCENARIO_TRIPLETTA}-g++-posix)
set(CMAKE_RC_COMPILER ${SCENARIO_TRIPLETTA}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${SCENARIO_TRIPLETTA})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Tests and test discovery run under wine, quietly and without a display
# (a message box then returns at once instead of waiting for a click).
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/env -u DISPLAY WINEDEBUG=-all WINELOADER=${SCENARIO_WINE} ${SCENARIO_WINE})
