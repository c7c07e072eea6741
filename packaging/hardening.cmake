# Debian's usual hardening for the program it ships: fortified libc calls, a
# stack protector, format checks, a read-only GOT bound at start-up, and a
# PIE. Each only where the caller's own flags say nothing of it: a
# distribution's build brings its own (dpkg-buildflags, Fedora's and Arch's
# -Wp,-D_FORTIFY_SOURCE=3), and a second _FORTIFY_SOURCE of another level is
# a warning, fatal under -Werror. Only the flags that reach the compiler
# count: CMake passes no CPPFLAGS (debhelper folds them into CXXFLAGS).
# Not in the sanitized and fuzz builds, which are never shipped and whose
# AddressSanitizer checks the calls that fortifying would; not on Windows,
# whose linker knows none of it.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT POKORI_SANITIZE AND NOT POKORI_FUZZ)
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  # Qt is built to reduce relocations: code that links it must be
  # position-independent, not PIE code, or the program holds copies of Qt's
  # data and its signals fail (Qt asks for -fPIC when compiling). Under LTO the
  # code is made again at the link, where a PIE gets -fPIE: it gets -fPIC.
  set(CMAKE_CXX_LINK_OPTIONS_PIE -fPIC -pie)

  string(TOUPPER "${CMAKE_BUILD_TYPE}" build_type)
  set(given_compile_flags "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${build_type}}")
  set(given_link_flags "${CMAKE_EXE_LINKER_FLAGS} ${CMAKE_EXE_LINKER_FLAGS_${build_type}}")
  if(NOT given_compile_flags MATCHES "_FORTIFY_SOURCE")
    # _FORTIFY_SOURCE works only with the optimiser on; without, glibc warns.
    add_compile_options($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-D_FORTIFY_SOURCE=2>)
  endif()
  if(NOT given_compile_flags MATCHES "stack-protector")
    add_compile_options(-fstack-protector-strong)
  endif()
  if(NOT given_compile_flags MATCHES "format-security")
    add_compile_options(-Wformat -Werror=format-security)
  endif()
  if(NOT given_link_flags MATCHES "relro")
    add_link_options(LINKER:-z,relro)
  endif()
  if(NOT given_link_flags MATCHES "z,?now")
    add_link_options(LINKER:-z,now)
  endif()
endif()
