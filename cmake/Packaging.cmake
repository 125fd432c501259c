# The packages, made by CPack (`cmake --build <build dir> --target package`):
# a Debian package from a Linux build, a zip from the Windows cross build.
# Their contents are the install component "package", left out of a plain
# `cmake --install`, which keeps copying the plug-in into the user's folder.
if(KESTRAVON_SANITIZE OR KESTRAVON_THREAD_SANITIZE OR NOT TARGET Kestravon)
  return()
endif()

set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(CPACK_PACKAGE_NAME kestravon)
set(CPACK_PACKAGE_VENDOR Ostrelle)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "worn analogue media effect (VST 2.4 plug-in)")
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};Kestravon;package;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_SOURCE_GENERATOR "")

if(WIN32)
  # The DLL and a note on where it goes, at the top of the zip.
  install(TARGETS Kestravon RUNTIME DESTINATION . COMPONENT package EXCLUDE_FROM_ALL)
  configure_file(${packaging_dir}/windows/INSTALL.txt ${PROJECT_BINARY_DIR}/packaging/INSTALL.txt
                 @ONLY NEWLINE_STYLE WIN32)
  install(FILES ${PROJECT_BINARY_DIR}/packaging/INSTALL.txt DESTINATION .
          COMPONENT package EXCLUDE_FROM_ALL)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  set(CPACK_PACKAGE_FILE_NAME Kestravon-${PROJECT_VERSION}-windows-x64)
  include(CPack)
  return()
endif()

if(NOT TARGET kestravon-render)
  return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Ostrelle")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The synopsis is CPACK_PACKAGE_DESCRIPTION_SUMMARY; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Kestravon by Ostrelle makes a track sound like worn analogue media: tape
hiss, wow and flutter, vinyl crackle and scratches, tube saturation, added
harmonics, resonant tone shaping and a mid/side widener.
.
This package holds the stereo VST 2.4 plug-in for Linux hosts and
kestravon-render, a command-line host that renders WAV, FLAC and AIFF files
through it, keeps programs and banks in FXP/FXB files and pictures the
editor as a PNG.")

# Where Debian's own VST 2 plug-ins live (dragonfly-reverb-vst, for one).
install(TARGETS Kestravon LIBRARY DESTINATION lib/lxvst
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
        COMPONENT package EXCLUDE_FROM_ALL)
install(TARGETS kestravon-render RUNTIME DESTINATION bin COMPONENT package EXCLUDE_FROM_ALL)

# The manual page is the program's own --help and --version.
find_program(GZIP gzip REQUIRED)
find_program(HELP2MAN help2man)
if(HELP2MAN)
  set(man_page ${PROJECT_BINARY_DIR}/packaging/kestravon-render.1)
  add_custom_command(OUTPUT ${man_page}.gz
    COMMAND ${HELP2MAN} --no-info --section=1
            "--name=render audio files through a VST 2 plug-in"
            --output=${man_page} $<TARGET_FILE:kestravon-render>
    COMMAND ${GZIP} -9nf ${man_page}
    DEPENDS kestravon-render
    COMMENT "Writing the manual page of kestravon-render"
    VERBATIM)
  add_custom_target(kestravon_render_man ALL DEPENDS ${man_page}.gz)
  install(FILES ${man_page}.gz DESTINATION share/man/man1 COMPONENT package EXCLUDE_FROM_ALL)
else()
  message(WARNING "help2man missing: the package will have no manual page "
                  "(scripts/install-deps.sh installs them)")
endif()

# Debian's machine-readable copyright file, its licence text taken from LICENSE.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license_text)
string(STRIP "${license_text}" license_text)
string(REGEX REPLACE "\n\n" "\n.\n" license_text "${license_text}")
string(REPLACE "\n" "\n " KESTRAVON_LICENSE_TEXT " ${license_text}")
configure_file(${packaging_dir}/debian/copyright.in ${PROJECT_BINARY_DIR}/packaging/copyright @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)

set(changelog ${PROJECT_BINARY_DIR}/packaging/changelog)
add_custom_command(OUTPUT ${changelog}.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${packaging_dir}/debian/changelog ${changelog}
  COMMAND ${GZIP} -9nf ${changelog}
  DEPENDS ${packaging_dir}/debian/changelog
  VERBATIM)
add_custom_target(kestravon_changelog ALL DEPENDS ${changelog}.gz)

set(doc_dir share/doc/${CPACK_PACKAGE_NAME})
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_BINARY_DIR}/packaging/copyright
              ${changelog}.gz
        DESTINATION ${doc_dir} COMPONENT package EXCLUDE_FROM_ALL)
# Each override says why in the file.
install(FILES ${packaging_dir}/debian/lintian-overrides DESTINATION share/lintian/overrides
        RENAME ${CPACK_PACKAGE_NAME} COMPONENT package EXCLUDE_FROM_ALL)
include(CPack)
