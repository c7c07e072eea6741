# What the Windows program needs beside it, installed with it and so packed
# into the zip and the installer: the DLLs listed in shipped-dlls (Qt, its
# Windows platform plugin and style, SDL2, SDL2_mixer and MinGW-w64's C++
# runtime), each with its licence. Windows finds DLLs in the program's
# folder, and Qt its plugins in folders below it.
include(${CMAKE_CURRENT_LIST_DIR}/licenses.cmake)

file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/shipped-dlls rows REGEX "^[^#]")
set(shipped_dlls)
foreach(row IN LISTS rows)
  if(NOT row MATCHES "^([^ ]+) +([^ ]+) +([^ ]+) +(.+)$")
    message(FATAL_ERROR "shipped-dlls: a row needs a file, a target, a source package and a licence: ${row}")
  endif()
  set(file ${CMAKE_MATCH_1})
  set(target ${CMAKE_MATCH_2})
  set(package ${CMAKE_MATCH_3})
  set(licence ${CMAKE_MATCH_4})
  get_filename_component(folder ${file} DIRECTORY)
  get_filename_component(name ${file} NAME)
  if(NOT folder)
    set(folder .)
  endif()

  if(target STREQUAL compiler)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
      OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    if(NOT IS_ABSOLUTE ${path})
      message(FATAL_ERROR "The compiler does not know where ${name} is")
    endif()
    file(REAL_PATH ${path} path)
    install(FILES ${path} DESTINATION ${folder})
    add_debian_package_licence(${package} ${path})
  else()
    get_target_property(configurations ${target} IMPORTED_CONFIGURATIONS)
    list(GET configurations 0 configuration)
    get_target_property(path ${target} IMPORTED_LOCATION_${configuration})
    get_filename_component(built_name "${path}" NAME)
    if(NOT built_name STREQUAL name)
      message(FATAL_ERROR "shipped-dlls names ${name} for ${target}, which is ${path}")
    endif()
    install(IMPORTED_RUNTIME_ARTIFACTS ${target} DESTINATION ${folder})
    add_windows_library_licence(${package})
  endif()
  add_licence_row(${file} ${package} "${licence}")
  list(APPEND shipped_dlls ${file})
endforeach()
write_licence_overview()

# Debian's MinGW runtime and the libraries come with their symbol tables,
# which Windows has no use for; stripped, the zip is a third smaller.
install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded ${shipped_dlls}
  WORKING_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\" COMMAND_ERROR_IS_FATAL ANY)")

include(${CMAKE_CURRENT_LIST_DIR}/installer.cmake)
