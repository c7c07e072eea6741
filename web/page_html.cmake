# Writes the page's index.html and manifest from their templates, with what
# the game says and loads before any script runs (pokori-page-texts html).
#   cmake -D page_dir=DIR -D settings=page-settings.cmake -D words=page-words.cmake -P page_html.cmake
include(${settings})
include(${words})

# The code and the pictures the game starts with load beside the font from
# the first round trip on; page.js fetches each of them by the same name.
set(POKORI_PRELOADS "<link rel=\"preload\" href=\"pokori.wasm\" as=\"fetch\" crossorigin>")
foreach(picture IN LISTS POKORI_START_UP_PICTURES)
  string(REGEX REPLACE "\\.bmp$" "${POKORI_PICTURE_SUFFIX}" picture ${picture})
  string(APPEND POKORI_PRELOADS "\n<link rel=\"preload\" href=\"${picture}\" as=\"fetch\" crossorigin>")
endforeach()

configure_file(${templates}/index.html.in ${page_dir}/index.html @ONLY)
configure_file(${templates}/manifest.webmanifest.in ${page_dir}/manifest.webmanifest @ONLY)
