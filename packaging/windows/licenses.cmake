# The licences shipped with the Windows game: our own as LICENSE.txt beside
# the program, and under licenses/ a folder per Debian source package that a
# shipped DLL comes from, with that source's Debian copyright file, the
# texts it refers to in /usr/share/common-licenses (which Windows has not),
# and where the source is; licenses/README.txt says which DLL has which
# licence. runtime.cmake adds a folder and a row for each DLL it ships.
set(licenses_dir ${CMAKE_CURRENT_BINARY_DIR}/licenses)
file(REMOVE_RECURSE ${licenses_dir})
set(licence_rows "")

# A folder for PACKAGE at VERSION, from its Debian COPYRIGHT file.
function(add_licence_folder package version copyright)
  set(folder ${licenses_dir}/${package})
  if(EXISTS ${folder})
    return()
  endif()
  configure_file(${copyright} ${folder}/copyright.txt COPYONLY)
  file(READ ${copyright} text)
  string(REGEX MATCHALL "/usr/share/common-licenses/[A-Za-z0-9.+_-]*[A-Za-z0-9+_]" references "${text}")
  list(REMOVE_DUPLICATES references)
  foreach(reference IN LISTS references)
    if(NOT EXISTS ${reference})
      message(FATAL_ERROR "${package}'s copyright refers to ${reference}, which is not here")
    endif()
    get_filename_component(name ${reference} NAME)
    configure_file(${reference} ${folder}/${name}.txt COPYONLY)
  endforeach()

  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/licence-source.txt.in ${folder}/source.txt @ONLY)
endfunction()

# A library built by scripts/windows: the notices packaging/windows/libraries
# kept from the very source it built.
function(add_windows_library_licence package)
  set(notices ${POKORI_WINDOWS_LIBRARIES}/notices/${package})
  if(NOT EXISTS ${notices}/copyright OR NOT EXISTS ${notices}/version)
    message(FATAL_ERROR "No licence notices for ${package} in ${POKORI_WINDOWS_LIBRARIES}: "
      "its libraries were built before they were kept; remove that folder and run scripts/windows again")
  endif()
  file(STRINGS ${notices}/version version LIMIT_COUNT 1)
  add_licence_folder(${package} ${version} ${notices}/copyright)
endfunction()

# A file of the installed Debian package built from the source PACKAGE:
# that package's copyright file and version.
function(add_debian_package_licence package path)
  execute_process(COMMAND dpkg-query --search ${path}
    OUTPUT_VARIABLE owner OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  if(NOT owner MATCHES "^([^:, ]+)(:[a-z0-9]+)?: ")
    message(FATAL_ERROR "No one Debian package holds ${path}: ${owner}")
  endif()
  set(binary ${CMAKE_MATCH_1})
  execute_process(COMMAND dpkg-query --show "--showformat=\${source:Package} \${source:Version}" ${binary}
    OUTPUT_VARIABLE source OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(source)
  list(GET source 0 source_package)
  list(GET source 1 version)
  if(NOT source_package STREQUAL package)
    message(FATAL_ERROR "shipped-dlls says ${path} comes from ${package}, Debian says from ${source_package}")
  endif()
  add_licence_folder(${package} ${version} /usr/share/doc/${binary}/copyright)
endfunction()

# One line of licenses/README.txt: FILE comes from PACKAGE, under LICENCE.
function(add_licence_row file package licence)
  string(LENGTH "${file}" length)
  math(EXPR padding "32 - ${length}")
  string(REPEAT " " ${padding} file_gap)
  string(LENGTH "${package}" length)
  math(EXPR padding "16 - ${length}")
  string(REPEAT " " ${padding} package_gap)
  set(licence_rows "${licence_rows}  ${file}${file_gap}${package}${package_gap}${licence}\n" PARENT_SCOPE)
endfunction()

# licenses/README.txt, and the text of the installer's licence page: our
# licence, then that overview.
function(write_licence_overview)
  set(POKORI_LICENCE_ROWS "${licence_rows}")
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/licenses-README.txt.in ${licenses_dir}/README.txt @ONLY)
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE game_licence)
  file(READ ${licenses_dir}/README.txt overview)
  # The page wraps lines itself, in a narrower box than the files are
  # wrapped for: an English paragraph becomes one line; the Japanese
  # lines, the table and the blank lines stay as they are.
  string(REGEX REPLACE "([!-~])\n([!-~])" "\\1 \\2" page "${game_licence}\n\n${overview}")
  # Unicode NSIS reads a licence page as UTF-8 only after a byte order mark.
  string(ASCII 239 187 191 byte_order_mark)
  set(POKORI_LICENCE_PAGE ${CMAKE_CURRENT_BINARY_DIR}/licence-page.txt PARENT_SCOPE)
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/licence-page.txt "${byte_order_mark}${page}")

  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
  install(DIRECTORY ${licenses_dir} DESTINATION .)
endfunction()
