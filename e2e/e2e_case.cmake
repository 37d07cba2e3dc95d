# e2e_case(NAME [TIMEOUT S] [DISPLAY_BASE N] [LABEL L] [FIXTURES_SETUP|FIXTURES_CLEANUP|FIXTURES_REQUIRED F]
#          COMMAND ... [ENVIRONMENT ...])
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
  set(fixtures FIXTURES_SETUP FIXTURES_CLEANUP FIXTURES_REQUIRED)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "TIMEOUT;DISPLAY_BASE;LABEL;${fixtures}" "COMMAND;ENVIRONMENT")
  set(builds win64 win32)
  set(suffixes "" _win32)
  set(display_offsets 0 500)
  foreach(build suffix offset IN ZIP_LISTS builds suffixes display_offsets)
    string(TOUPPER ${build} upper)
    string(REPLACE "@BUILD@" ${build} command "${arg_COMMAND}")
    string(REPLACE "@BUILD@" ${build} template "${E2E_TEMPLATE}")
    string(REPLACE "@BUILD@" ${build} environment "${arg_ENVIRONMENT}")
    set(windows ${E2E_BUILD_ROOT}/${build}/e2e)
    if(NOT arg_DISPLAY_BASE)
      set(arg_DISPLAY_BASE 90)
    endif()
    math(EXPR display "${arg_DISPLAY_BASE} + ${offset}")
    set(variables E2E_BUILD=${build} E2E_SCR=${SAVER_${upper}_SCR} E2E_DRIVER=${windows}/driver/e2e_driver.exe
                  E2E_FIXTURES=${windows}/fixtures E2E_TEMPLATE=${template}
                  E2E_WORK=${CMAKE_BINARY_DIR}/e2e/work/${build} E2E_DISPLAY_BASE=${display} ${environment})
    if(NOT arg_LABEL)
      set(arg_LABEL e2e)
    endif()
    add_test(NAME ${name}${suffix} COMMAND ${command})
    set_tests_properties(${name}${suffix} PROPERTIES LABELS "${arg_LABEL};${build}" SKIP_RETURN_CODE 77
                                                     ENVIRONMENT "${variables}")
    foreach(property TIMEOUT ${fixtures})
      if(arg_${property})
        set(value ${arg_${property}})
        if(property MATCHES "^FIXTURES")
          set(value ${value}_${build})
        endif()
        set_tests_properties(${name}${suffix} PROPERTIES ${property} ${value})
      endif()
    endforeach()
  endforeach()
endfunction()
