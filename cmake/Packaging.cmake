# The packages, made by CPack (`cmake --build <build dir> --target package`):
# a Debian package from a Linux build, an installer and a zip from the Windows
# cross build. Their contents are the install component "package", left out of
# a plain `cmake --install`, which keeps copying the plug-in into the user's
# folder.
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

# The manual is one self-contained HTML file (its pictures embedded). A Linux
# build makes it (target kestravon_manual); the cross build cannot, since its
# pictures are measured by the Linux build, so it packages the file named here.
set(KESTRAVON_MANUAL_HTML "" CACHE FILEPATH
    "Kestravon-manual.html made by a Linux build, for the packages of a build that cannot make it")
set(manual_name Kestravon-manual.html)

if(WIN32)
  # Each format is a component, which the installer offers on a page of its
  # own: the VST 2 DLL, the VST 3 bundle (its binary and the resources a
  # Linux build made, see vst3/Bundle.cmake) and the CLAP module. The manual
  # always comes along.
  install(TARGETS Kestravon RUNTIME DESTINATION . COMPONENT vst2 EXCLUDE_FROM_ALL)
  set(windows_components vst3 vst2)
  if(TARGET KestravonClap)
    install(TARGETS KestravonClap LIBRARY DESTINATION . COMPONENT clap EXCLUDE_FROM_ALL)
    set(windows_components vst3 clap vst2)
  endif()
  if(TARGET KestravonVst3)
    install(TARGETS KestravonVst3 LIBRARY DESTINATION Kestravon.vst3/${KESTRAVON_VST3_BINARY_SUBDIR}
            COMPONENT vst3 EXCLUDE_FROM_ALL)
  endif()
  if(TARGET kestravon_vst3_bundle)
    install(DIRECTORY ${KESTRAVON_VST3_BUNDLE}/Contents/Resources DESTINATION Kestravon.vst3/Contents
            COMPONENT vst3 EXCLUDE_FROM_ALL)
  endif()
  if(KESTRAVON_MANUAL_HTML AND EXISTS "${KESTRAVON_MANUAL_HTML}")
    install(FILES ${KESTRAVON_MANUAL_HTML} DESTINATION . RENAME ${manual_name}
            COMPONENT manual EXCLUDE_FROM_ALL)
    list(APPEND windows_components manual)
    set(CPACK_NSIS_MENU_LINKS ${manual_name} "Kestravon manual")
    # Offered on the last page, unticked: the plug-in is what they came for.
    set(nsis_manual_defines
        "!define MUI_FINISHPAGE_SHOWREADME \"$INSTDIR\\${manual_name}\""
        "!define MUI_FINISHPAGE_SHOWREADME_TEXT \"Open the manual\""
        "!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED")
    message(STATUS "The installer and the zip carry the manual ${KESTRAVON_MANUAL_HTML}")
  else()
    message(WARNING "KESTRAVON_MANUAL_HTML ('${KESTRAVON_MANUAL_HTML}') names no file: the "
                    "installer and the zip will have no manual. scripts/make-packages.sh "
                    "builds the Linux release build's and passes it.")
  endif()
  # The zip holds every component; the installer installs the ones chosen
  # (see packaging/windows/cpack-options.cmake).
  set(CPACK_COMPONENTS_ALL ${windows_components})
  set(CPACK_INSTALL_CMAKE_PROJECTS "")
  foreach(component IN LISTS windows_components)
    list(APPEND CPACK_INSTALL_CMAKE_PROJECTS ${PROJECT_BINARY_DIR} Kestravon ${component} /)
  endforeach()
  # The note on where to copy the plug-ins is for the zip alone: the installer
  # puts them there and brings an uninstaller.
  configure_file(${packaging_dir}/windows/INSTALL.txt ${PROJECT_BINARY_DIR}/packaging/INSTALL.txt
                 @ONLY NEWLINE_STYLE WIN32)
  install(FILES ${PROJECT_BINARY_DIR}/packaging/INSTALL.txt DESTINATION .
          COMPONENT zip_note EXCLUDE_FROM_ALL)
  set(CPACK_KESTRAVON_ZIP_NOTE "${PROJECT_BINARY_DIR};Kestravon;zip_note;/")
  set(CPACK_PROJECT_CONFIG_FILE ${packaging_dir}/windows/cpack-options.cmake)
  set(CPACK_GENERATOR "ZIP;NSIS64")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  set(CPACK_PACKAGE_FILE_NAME Kestravon-${PROJECT_VERSION}-windows-x64)

  # The installer: a 64-bit program (the plug-in runs in 64-bit hosts only),
  # so it sees the 64-bit registry and Program Files without redirection. It
  # offers the common VST 2 folder, or the folder an earlier install chose,
  # which the installer records under Software\Ostrelle\Kestravon. The VST 3
  # bundle and the CLAP module each have one place, the folder every Windows
  # host of their format scans.
  set(CPACK_VERBATIM_VARIABLES ON)
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
  set(CPACK_PACKAGE_INSTALL_DIRECTORY VSTPlugins)
  # One key for every version, so an update replaces the entry in Add/Remove
  # Programs and finds the earlier folder.
  set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Kestravon)
  # Lines at the top of CPack's installer script, ahead of its pages.
  set(nsis_defines
      "Target amd64-unicode"
      "InstallDirRegKey HKLM \"Software\\${CPACK_PACKAGE_VENDOR}\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}\" \"\""
      "!define MUI_DIRECTORYPAGE_TEXT_TOP \"Setup will install the Kestravon VST 2 plug-in (if chosen), its manual and its uninstaller in the folder below. Choose the folder your host scans for VST 2 plug-ins (its plug-in settings list them). The VST 3 plug-in goes to Common Files\\VST3 and the CLAP plug-in to Common Files\\CLAP, where their hosts look.\""
      "!define MUI_DIRECTORYPAGE_TEXT_DESTINATION \"VST 2 plug-in folder\""
      "!define MUI_STARTMENUPAGE_DEFAULTFOLDER \"Kestravon\""
      ${nsis_manual_defines})
  # An installer with components gets CPACK_NSIS_DEFINES from CPack itself,
  # which drops ours; they go into a file the script includes right after its
  # compressor line instead.
  list(JOIN nsis_defines "\n" installer_defines)
  set(installer_defines_file ${PROJECT_BINARY_DIR}/packaging/installer-defines.nsh)
  file(WRITE ${installer_defines_file} "${installer_defines}\n")
  set(CPACK_NSIS_COMPRESSOR "lzma\n!include \"${installer_defines_file}\"")
  set(CPACK_NSIS_PACKAGE_NAME "Kestravon ${PROJECT_VERSION}")
  set(CPACK_NSIS_DISPLAY_NAME "Kestravon ${PROJECT_VERSION} (VST 2, VST 3 and CLAP plug-ins)")
  # CPack installs every component into the VST 2 folder; the VST 3 bundle
  # and the CLAP module then move to their own, and the uninstaller removes
  # each from there when it was installed.
  set(vst3_folder "$COMMONFILES64\\VST3")
  set(vst3_installed_key
      "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kestravon\\Components\\vst3")
  set(clap_folder "$COMMONFILES64\\CLAP")
  set(clap_installed_key
      "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kestravon\\Components\\clap")
  string(JOIN "\n" CPACK_NSIS_EXTRA_INSTALL_COMMANDS
    "  StrCmp \"$INSTDIR\" \"${vst3_folder}\" kestravon_vst3_placed"
    "  IfFileExists \"$INSTDIR\\Kestravon.vst3\\*.*\" 0 kestravon_vst3_placed"
    "    RMDir /r \"${vst3_folder}\\Kestravon.vst3\""
    "    CreateDirectory \"${vst3_folder}\""
    "    CopyFiles /SILENT \"$INSTDIR\\Kestravon.vst3\" \"${vst3_folder}\""
    "    RMDir /r \"$INSTDIR\\Kestravon.vst3\""
    "  kestravon_vst3_placed:"
    "  StrCmp \"$INSTDIR\" \"${clap_folder}\" kestravon_clap_placed"
    "  IfFileExists \"$INSTDIR\\Kestravon.clap\" 0 kestravon_clap_placed"
    "    CreateDirectory \"${clap_folder}\""
    "    Delete \"${clap_folder}\\Kestravon.clap\""
    "    CopyFiles /SILENT \"$INSTDIR\\Kestravon.clap\" \"${clap_folder}\""
    "    Delete \"$INSTDIR\\Kestravon.clap\""
    "  kestravon_clap_placed:")
  string(JOIN "\n" CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS
    "  ReadRegDWORD $0 HKLM \"${vst3_installed_key}\" \"Installed\""
    "  IntCmp $0 1 0 kestravon_vst3_kept kestravon_vst3_kept"
    "    RMDir /r \"${vst3_folder}\\Kestravon.vst3\""
    "    RMDir \"${vst3_folder}\""
    "  kestravon_vst3_kept:"
    "  ReadRegDWORD $0 HKLM \"${clap_installed_key}\" \"Installed\""
    "  IntCmp $0 1 0 kestravon_clap_kept kestravon_clap_kept"
    "    Delete \"${clap_folder}\\Kestravon.clap\""
    "    RMDir \"${clap_folder}\""
    "  kestravon_clap_kept:")
  # The folder is shared with other makers' plug-ins: a plain "Uninstall.exe"
  # could be another product's, or be overwritten by one.
  set(CPACK_NSIS_UNINSTALL_NAME Kestravon-uninstall)
  set(CPACK_NSIS_INSTALLED_ICON_NAME Kestravon-uninstall.exe)
  # The licence page: LICENSE with its hard-wrapped lines (the long ones)
  # joined, for the page's narrower box to wrap, in the line ends its text
  # control expects.
  file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE license_lines)
  set(license_text "")
  set(previous_length 0)
  foreach(line IN LISTS license_lines)
    if(previous_length GREATER_EQUAL 50 AND NOT line STREQUAL "")
      string(APPEND license_text " ${line}")
    else()
      string(APPEND license_text "\n${line}")
    endif()
    string(LENGTH "${line}" previous_length)
  endforeach()
  string(SUBSTRING "${license_text}" 1 -1 license_text)
  file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/packaging/LICENSE.txt CONTENT "${license_text}\n"
       @ONLY NEWLINE_STYLE WIN32)
  set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_BINARY_DIR}/packaging/LICENSE.txt)
  include(CPack)
  cpack_add_component(vst3 DISPLAY_NAME "VST 3 plug-in"
    DESCRIPTION "Kestravon.vst3, into the Common Files VST3 folder, where VST 3 hosts look")
  cpack_add_component(clap DISPLAY_NAME "CLAP plug-in"
    DESCRIPTION "Kestravon.clap, into the Common Files CLAP folder, where CLAP hosts look")
  cpack_add_component(vst2 DISPLAY_NAME "VST 2 plug-in"
    DESCRIPTION "Kestravon.dll, into the VST 2 plug-in folder chosen before")
  cpack_add_component(manual DISPLAY_NAME "Manual" HIDDEN REQUIRED)
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
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "worn analogue media effect (VST 2.4, VST 3, CLAP and LV2 plug-ins)")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(CMAKE_CROSSCOMPILING)
  # A cross build's package is for its processor's Debian architecture.
  include(${CMAKE_CURRENT_LIST_DIR}/${CMAKE_SYSTEM_PROCESSOR}-linux-gnu-packaging.cmake)
endif()
# The synopsis is CPACK_PACKAGE_DESCRIPTION_SUMMARY; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Kestravon by Ostrelle makes a track sound like worn analogue media: tape
hiss, wow and flutter, vinyl crackle and scratches, tube saturation, added
harmonics, resonant tone shaping and a mid/side widener.
.
This package holds the stereo plug-in for Linux hosts, as VST 2.4, as VST 3,
as CLAP and as LV2 with its editor, and kestravon-render, a command-line
host that renders WAV, FLAC and AIFF files through the VST 2 plug-in, keeps
programs and banks in FXP/FXB files and pictures the editor as a PNG.")

# The one folder every Debian VST 2 host scans by default (Ardour, Audacity
# and Giada; tests/packaging/vst2-host-folders.txt has the evidence).
install(TARGETS Kestravon LIBRARY DESTINATION ${KESTRAVON_PACKAGE_VST_DIR}
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
        COMPONENT package EXCLUDE_FROM_ALL)
# The LV2 bundle as the build makes it, in the system LV2 folder: its two
# binaries and its Turtle files.
if(TARGET kestravon_lv2_bundle)
  set(lv2_bundle_dir ${KESTRAVON_PACKAGE_LV2_DIR}/Kestravon.lv2)
  install(TARGETS KestravonLv2 KestravonLv2Ui LIBRARY DESTINATION ${lv2_bundle_dir}
          PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
          COMPONENT package EXCLUDE_FROM_ALL)
  install(FILES ${KESTRAVON_LV2_BUNDLE}/manifest.ttl ${KESTRAVON_LV2_BUNDLE}/Kestravon.ttl
                ${KESTRAVON_LV2_BUNDLE}/presets.ttl
          DESTINATION ${lv2_bundle_dir} COMPONENT package EXCLUDE_FROM_ALL)
endif()
# The VST 3 bundle as the build makes it, in the system VST 3 folder: its
# binary and its resources (module information and the editor's picture).
if(TARGET kestravon_vst3_bundle)
  set(vst3_bundle_dir ${KESTRAVON_PACKAGE_VST3_DIR}/Kestravon.vst3)
  install(TARGETS KestravonVst3 LIBRARY DESTINATION ${vst3_bundle_dir}/${KESTRAVON_VST3_BINARY_SUBDIR}
          PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
          COMPONENT package EXCLUDE_FROM_ALL)
  install(DIRECTORY ${KESTRAVON_VST3_BUNDLE}/Contents/Resources DESTINATION ${vst3_bundle_dir}/Contents
          FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
          COMPONENT package EXCLUDE_FROM_ALL)
endif()
# The CLAP module in the system CLAP folder, which CLAP hosts scan.
if(TARGET KestravonClap)
  install(TARGETS KestravonClap LIBRARY DESTINATION ${KESTRAVON_PACKAGE_CLAP_DIR}
          PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
          COMPONENT package EXCLUDE_FROM_ALL)
endif()
install(TARGETS kestravon-render RUNTIME DESTINATION bin COMPONENT package EXCLUDE_FROM_ALL)

# The manual page is the program's own --help and --version.
find_program(GZIP gzip REQUIRED)
find_program(HELP2MAN help2man)
if(HELP2MAN)
  set(man_page ${PROJECT_BINARY_DIR}/packaging/kestravon-render.1)
  set(help_program $<TARGET_FILE:kestravon-render>)
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    # help2man runs the program itself: a script of the program's name starts
    # it under the emulator.
    set(help_program ${PROJECT_BINARY_DIR}/packaging/emulated/kestravon-render)
    list(JOIN CMAKE_CROSSCOMPILING_EMULATOR " " emulator_line)
    file(GENERATE OUTPUT ${help_program}
         CONTENT "#!/bin/sh\nexec ${emulator_line} $<TARGET_FILE:kestravon-render> \"$@\"\n"
         FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE)
  endif()
  add_custom_command(OUTPUT ${man_page}.gz
    COMMAND ${HELP2MAN} --no-info --section=1
            "--name=render audio files through a VST 2 plug-in"
            --output=${man_page} ${help_program}
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
# The manual beside the README, when this build makes it. Decided once the
# whole tree is read, so that the manual's target is seen wherever it is
# defined; `package` builds `all` first, which then includes the manual.
function(kestravon_package_manual destination)
  if(TARGET kestravon_manual)
    add_custom_target(kestravon_packaged_manual ALL)
    add_dependencies(kestravon_packaged_manual kestravon_manual)
    set(manual ${PROJECT_BINARY_DIR}/docs/manual/${manual_name})
  elseif(KESTRAVON_MANUAL_HTML AND EXISTS "${KESTRAVON_MANUAL_HTML}")
    set(manual ${KESTRAVON_MANUAL_HTML})
  else()
    message(WARNING "This build makes no manual (target kestravon_manual) and "
                    "KESTRAVON_MANUAL_HTML names no file: the package will have no manual.")
    return()
  endif()
  install(FILES ${manual} DESTINATION ${destination} RENAME ${manual_name}
          PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
          COMPONENT package EXCLUDE_FROM_ALL)
endfunction()
cmake_language(DEFER CALL kestravon_package_manual ${doc_dir})

# Each override says why in the file.
install(FILES ${packaging_dir}/debian/lintian-overrides DESTINATION share/lintian/overrides
        RENAME ${CPACK_PACKAGE_NAME} COMPONENT package EXCLUDE_FROM_ALL)
include(CPack)
