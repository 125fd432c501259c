# Runs the editor test that depends on the system's DPI in a Wine prefix of
# its own whose LogPixels is DPI: the other Windows tests share the run's
# prefix at 96 DPI, and Wine takes the value when a program starts.
# RUN: the Windows program runner; PROGRAM: the test program; PREFIX: the
# prefix to make (and remove); WINESERVER: the server to stop in it.
file(REMOVE_RECURSE "${PREFIX}")
set(ENV{WINEPREFIX} "${PREFIX}")
execute_process(COMMAND "${RUN}" reg add "HKCU\\Control Panel\\Desktop" /v LogPixels
                        /t REG_DWORD /d ${DPI} /f
                RESULT_VARIABLE setting)
if(setting EQUAL 0)
  set(ENV{KESTRAVON_TEST_DPI} ${DPI})
  execute_process(COMMAND "${RUN}" "${PROGRAM}"
                          --gtest_filter=PluginEditorWin.OpensAtItsMonitorsScaleAndTellsTheHostTheSize
                  RESULT_VARIABLE result)
endif()
# Only this prefix's server, which this script started.
execute_process(COMMAND "${WINESERVER}" -k)
file(REMOVE_RECURSE "${PREFIX}")
if(NOT setting EQUAL 0)
  message(FATAL_ERROR "LogPixels could not be set in ${PREFIX}: ${setting}")
endif()
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the editor test at ${DPI} DPI failed: ${result}")
endif()
