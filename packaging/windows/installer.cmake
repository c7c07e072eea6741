# The zip and the installer. CPack stages the install tree for each and
# packs the same files; the installer is our own NSIS script
# (nsis/NSIS.template.in), which CPack fills in with the files to install
# and to remove and hands to makensis.
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_FILE_NAME pokori-rescue-${PROJECT_VERSION}-win64)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack-generators.cmake)
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}/nsis)

get_target_property(program pokori-rescue OUTPUT_NAME)
set(CPACK_NSIS_DISPLAY_NAME ${POKORI_TITLE})
set(CPACK_NSIS_INSTALLED_ICON_NAME ${program}${CMAKE_EXECUTABLE_SUFFIX})
# The installer and the uninstaller show the game's icon.
set(CPACK_NSIS_MUI_ICON ${icon_ico})
set(CPACK_RESOURCE_FILE_LICENSE ${POKORI_LICENCE_PAGE})
