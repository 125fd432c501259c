# The VST 3 bundle's resources, in Contents/Resources where hosts read them
# without loading the module: moduleinfo.json, which tools/vst3info writes
# from the plug-in's own factory, and the picture of the editor hosts show in
# their plug-in browsers, Snapshots/<class id>_snapshot.png, taken by the
# render host as a Linux host shows the editor. Both are the same for every
# platform, so a cross build, which can run neither, takes the folder a Linux
# build made (KESTRAVON_VST3_RESOURCES).
set(vst3_resources ${KESTRAVON_VST3_BUNDLE}/Contents/Resources)
set(vst3_module_info ${vst3_resources}/moduleinfo.json)
# Where the binary lies within the bundle, for the packages.
file(RELATIVE_PATH vst3_binary_subdir ${KESTRAVON_VST3_BUNDLE} ${vst3_binary_folder})
set(KESTRAVON_VST3_BINARY_SUBDIR ${vst3_binary_subdir} CACHE INTERNAL
    "The folder of the VST 3 binary within its bundle")

set(KESTRAVON_VST3_RESOURCES "" CACHE PATH
    "Contents/Resources of the VST 3 bundle a Linux build made, for a build that cannot make them")

if(CMAKE_CROSSCOMPILING)
  if(NOT EXISTS "${KESTRAVON_VST3_RESOURCES}/moduleinfo.json")
    message(WARNING "KESTRAVON_VST3_RESOURCES ('${KESTRAVON_VST3_RESOURCES}') holds no "
                    "moduleinfo.json: the VST 3 bundle will have no resources. "
                    "scripts/make-packages.sh builds the Linux release build's and passes it.")
    return()
  endif()
  file(GLOB_RECURSE given_resources ${KESTRAVON_VST3_RESOURCES}/*)
  add_custom_command(OUTPUT ${vst3_module_info}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${vst3_resources}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${KESTRAVON_VST3_RESOURCES} ${vst3_resources}
    DEPENDS ${given_resources}
    COMMENT "Copying the VST 3 bundle's resources from ${KESTRAVON_VST3_RESOURCES}"
    VERBATIM)
  add_custom_target(kestravon_vst3_bundle ALL DEPENDS ${vst3_module_info} KestravonVst3)
  return()
endif()

# The picture needs a display of its own (xvfb-run), and the sanitizer builds
# make none: the editor's libraries keep memory to the end, which they report.
find_program(KESTRAVON_XVFB_RUN xvfb-run)
set(snapshot_args "")
set(snapshot_depends "")
if(KESTRAVON_XVFB_RUN AND NOT KESTRAVON_SANITIZE AND NOT KESTRAVON_THREAD_SANITIZE)
  set(editor_picture ${CMAKE_CURRENT_BINARY_DIR}/editor-snapshot.png)
  add_custom_command(OUTPUT ${editor_picture}
    COMMAND ${KESTRAVON_XVFB_RUN} -a $<TARGET_FILE:kestravon-render>
            --plugin $<TARGET_FILE:Kestravon> --editor-png ${editor_picture}
    DEPENDS kestravon-render Kestravon
    COMMENT "Picturing the editor for the VST 3 bundle"
    VERBATIM)
  set(snapshot_args ${editor_picture})
  set(snapshot_depends ${editor_picture})
elseif(NOT KESTRAVON_SANITIZE AND NOT KESTRAVON_THREAD_SANITIZE)
  message(WARNING "xvfb-run missing (scripts/install-deps.sh installs it): "
                  "the VST 3 bundle will have no picture of the editor")
endif()

add_custom_command(OUTPUT ${vst3_module_info}
  COMMAND kestravon-vst3-info ${vst3_resources} ${snapshot_args}
  DEPENDS kestravon-vst3-info ${snapshot_depends}
  COMMENT "Writing the VST 3 bundle's module information"
  VERBATIM)
add_custom_target(kestravon_vst3_bundle ALL DEPENDS ${vst3_module_info} KestravonVst3)
