# Writes the page's service worker: every file of the page with the SHA-256
# of its bytes, and the build named by them all, so that any change to any
# file makes another build, whatever the version says.
#   cmake -D page_dir=DIR -D settings=page-settings.cmake -P service_worker.cmake
include(${settings})

set(hashes)
set(entries)
foreach(file IN LISTS page_files)
  file(SHA256 ${page_dir}/${file} hash)
  string(APPEND hashes ${hash})
  # The page itself is what the folder's own address answers.
  if(file STREQUAL "index.html")
    set(file ./)
  endif()
  list(APPEND entries "'${file}': '${hash}'")
endforeach()
string(SHA256 POKORI_BUILD ${hashes})
list(JOIN entries ",\n  " POKORI_PAGE_FILES)
configure_file(${templates}/service_worker.js.in ${page_dir}/service_worker.js @ONLY)
