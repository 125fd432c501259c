# Read by CPack once for each generator. The zip also carries the note on
# where to copy the DLL by hand; the installer asks for the folder instead.
if(CPACK_GENERATOR STREQUAL "ZIP")
  list(APPEND CPACK_INSTALL_CMAKE_PROJECTS ${CPACK_KESTRAVON_ZIP_NOTE})
endif()
