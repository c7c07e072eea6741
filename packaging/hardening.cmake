# Debian's usual hardening for the program it ships: fortified libc calls, a
# stack protector, a read-only GOT bound at start-up, and a PIE. Not in the
# sanitized and fuzz builds, which are never shipped and whose AddressSanitizer
# checks the calls that fortifying would; not on Windows, whose linker knows
# none of it.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT POKORI_SANITIZE AND NOT POKORI_FUZZ)
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  # _FORTIFY_SOURCE works only with the optimiser on; without, glibc warns.
  add_compile_options($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-D_FORTIFY_SOURCE=2>
    -fstack-protector-strong -Wformat -Werror=format-security)
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
