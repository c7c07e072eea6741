# What the Windows program needs beside it, installed with it and so packed
# into the zip by `cpack -G ZIP`: the Qt and SDL libraries it links, Qt's
# Windows platform plugin, and the MinGW-w64 C++ runtime. Windows finds
# DLLs in the program's folder, and Qt its plugins in folders below it.
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::Core Qt6::Gui Qt6::Widgets SDL2::SDL2 SDL2_mixer::SDL2_mixer
  DESTINATION .)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsIntegrationPlugin DESTINATION platforms)
# Qt makes the desktop's own style when the application starts, before the
# game switches to Fusion, and loads this plugin for it.
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsVistaStylePlugin DESTINATION styles)

if(MINGW)
  foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
      OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    if(NOT IS_ABSOLUTE ${path})
      message(FATAL_ERROR "The compiler does not know where ${dll} is")
    endif()
    install(FILES ${path} DESTINATION .)
  endforeach()
endif()

# Debian's MinGW runtime and the libraries come with their symbol tables,
# which Windows has no use for; stripped, the zip is a third smaller.
set(shipped_dlls $<TARGET_FILE_NAME:Qt6::Core> $<TARGET_FILE_NAME:Qt6::Gui>
  $<TARGET_FILE_NAME:Qt6::Widgets> $<TARGET_FILE_NAME:SDL2::SDL2>
  $<TARGET_FILE_NAME:SDL2_mixer::SDL2_mixer>
  platforms/$<TARGET_FILE_NAME:Qt6::QWindowsIntegrationPlugin>
  styles/$<TARGET_FILE_NAME:Qt6::QWindowsVistaStylePlugin>)
if(MINGW)
  list(APPEND shipped_dlls libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
endif()
install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded ${shipped_dlls}
  WORKING_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\" COMMAND_ERROR_IS_FATAL ANY)")

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME pokori-rescue-${PROJECT_VERSION}-win64)
