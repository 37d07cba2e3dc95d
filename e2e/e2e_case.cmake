# e2e_case(NAME [TIMEOUT S] [DISPLAY_BASE N] [LABEL L] [FIXTURES_SETUP F] [FIXTURES_CLEANUP F]
#          [FIXTURES_REQUIRED F] COMMAND ... [ENVIRONMENT ...])
# Registers one case for both Windows builds: NAME runs the 64-bit build, NAME_win32 the 32-bit one,
# the same script with E2E_BUILD set (see e2e/lib.sh). Each run is labelled L (e2e unless told) and
# its build, and gets the build's saver, driver, fixtures, template prefix, work folder and display
# numbers; "@BUILD@" in COMMAND and ENVIRONMENT becomes win64 or win32, and each fixture name gets the
# build's suffix. A 32-bit run exits 77, skipped, where the machine cannot run 32-bit programs.
include_guard(GLOBAL)
set(E2E_BUILD_ROOT "${CMAKE_SOURCE_DIR}/build" CACHE PATH "Folder of the win64 and win32 builds the end-to-end cases run")
set(SAVER_WIN64_SCR "${E2E_BUILD_ROOT}/win64/lomlom.scr" CACHE FILEPATH "64-bit saver under test")
set(SAVER_WIN32_SCR "${E2E_BUILD_ROOT}/win32/lomlom.scr" CACHE FILEPATH "32-bit saver under test")
# The template prefix that e2e_prefix_template makes for each build and every case copies.
set(E2E_TEMPLATE "${CMAKE_BINARY_DIR}/e2e/template-prefix-@BUILD@" CACHE INTERNAL "")

function(e2e_case name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "TIMEOUT;DISPLAY_BASE;LABEL;FIXTURES_SETUP;FIXTURES_CLEANUP;FIXTURES_REQUIRED"
                        "COMMAND;ENVIRONMENT")
  if(NOT arg_LABEL)
    set(arg_LABEL e2e)
  endif()
  if(NOT arg_DISPLAY_BASE)
    set(arg_DISPLAY_BASE 90)
  endif()
  foreach(build win64 win32)
    if(build STREQUAL win64)
      set(test ${name})
      set(saver ${SAVER_WIN64_SCR})
      set(display ${arg_DISPLAY_BASE})
    else()
      set(test ${name}_win32)
      set(saver ${SAVER_WIN32_SCR})
      math(EXPR display "${arg_DISPLAY_BASE} + 500")
    endif()
    string(REPLACE "@BUILD@" ${build} command "${arg_COMMAND}")
    string(REPLACE "@BUILD@" ${build} environment "${arg_ENVIRONMENT}")
    set(windows ${E2E_BUILD_ROOT}/${build}/e2e)
    string(REPLACE "@BUILD@" ${build} template "${E2E_TEMPLATE}")
    set(variables E2E_BUILD=${build} E2E_SCR=${saver} E2E_DRIVER=${windows}/driver/e2e_driver.exe
                  E2E_FIXTURES=${windows}/fixtures E2E_TEMPLATE=${template}
                  E2E_WORK=${CMAKE_BINARY_DIR}/e2e/work/${build} E2E_DISPLAY_BASE=${display} ${environment})
    add_test(NAME ${test} COMMAND ${command})
    set_tests_properties(${test} PROPERTIES LABELS "${arg_LABEL};${build}" SKIP_RETURN_CODE 77
                                            ENVIRONMENT "${variables}")
    if(arg_TIMEOUT)
      set_tests_properties(${test} PROPERTIES TIMEOUT ${arg_TIMEOUT})
    endif()
    foreach(role SETUP CLEANUP REQUIRED)
      if(arg_FIXTURES_${role})
        set_tests_properties(${test} PROPERTIES FIXTURES_${role} ${arg_FIXTURES_${role}}_${build})
      endif()
    endforeach()
  endforeach()
endfunction()
