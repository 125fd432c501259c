# Read by CPack once for each generator. The zip holds every component the
# build lists, one by one, and the note on where to copy the plug-ins by hand;
# the installer installs all components as one project, so that it offers
# them on its components page.
if(CPACK_GENERATOR STREQUAL "ZIP")
  list(APPEND CPACK_INSTALL_CMAKE_PROJECTS ${CPACK_KESTRAVON_ZIP_NOTE})
else()
  list(GET CPACK_INSTALL_CMAKE_PROJECTS 0 build_dir)
  set(CPACK_INSTALL_CMAKE_PROJECTS ${build_dir} Kestravon ALL /)
endif()
