# Cross-compiles for 64-bit Windows with Debian's MinGW-w64, for the game and
# for the Qt and SDL it links. The posix thread model, because Qt's threads
# are std::thread and its kin.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

# Libraries and headers only from MinGW and from the Windows libraries built
# by scripts/windows, never the build machine's own.
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
if(POKORI_WINDOWS_LIBRARIES)
  list(APPEND CMAKE_FIND_ROOT_PATH ${POKORI_WINDOWS_LIBRARIES})
  list(APPEND CMAKE_PREFIX_PATH ${POKORI_WINDOWS_LIBRARIES})
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES POKORI_WINDOWS_LIBRARIES)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
