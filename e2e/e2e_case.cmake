# e2e_case(NAME [TIMEOUT S] [DISPLAY_BASE N] [LABEL L] [FIXTURES_SETUP|CLEANUP|REQUIRED F] COMMAND ...
#          [ENVIRONMENT ...]) registers one case for both Windows builds: NAME runs the 64-bit build and
# NAME_win32 the 32-bit one, the same script told its build by E2E_BUILD (see e2e/lib.sh), labelled L
# (e2e unless told) and the build, with the build's saver, driver, fixtures, template prefix, work
# folder and display numbers. "@BUILD@" in COMMAND and ENVIRONMENT becomes win64 or win32; fixture
# names get the build as a suffix. A case that cannot run here exits 77: skipped.
include_guard(GLOBAL)
set(E2E_BUILD_ROOT "${CMAKE_SOURCE_DIR}/build" CACHE PATH "Folder of the win64 and win32 builds the end-to-end cases run")
set(SAVER_WIN64_SCR "${E2E_BUILD_ROOT}/win64/lomlom.scr" CACHE FILEPATH "64-bit saver under test")
set(SAVER_WIN32_SCR "${E2E_BUILD_ROOT}/win32/lomlom.scr" CACHE FILEPATH "32-bit saver under test")
# The prefix that e2e_prefix_template makes for each build and every case copies.
set(E2E_TEMPLATE "${CMAKE_BINARY_DIR}/e2e/template-prefix-@BUILD@" CACHE INTERNAL "")

function(e2e_case name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "TIMEOUT;DISPLAY_BASE;LABEL;FIXTURES_SETUP;FIXTURES_CLEANUP;FIXTURES_REQUIRED"
                        "COMMAND;ENVIRONMENT")
  if(NOT arg_LABEL)
    set(arg_LABEL e2e)
  endif()
  set(builds win64 win32)
  set(suffixes "" _win32)
  set(display_offsets 0 500)
  foreach(build suffix offset IN ZIP_LISTS builds suffixes display_offsets)
    string(TOUPPER ${build} upper)
    string(REPLACE "@BUILD@" ${build} command "${arg_COMMAND}")
    string(REPLACE "@BUILD@" ${build} variables "${E2E_TEMPLATE};${arg_ENVIRONMENT}")
    list(POP_FRONT variables template)
    math(EXPR display "0${arg_DISPLAY_BASE} + ${offset}")
    set(windows ${E2E_BUILD_ROOT}/${build}/e2e)
    list(APPEND variables E2E_BUILD=${build} E2E_SCR=${SAVER_${upper}_SCR} E2E_DRIVER=${windows}/driver/e2e_driver.exe
         E2E_FIXTURES=${windows}/fixtures E2E_TEMPLATE=${template} E2E_WORK=${CMAKE_BINARY_DIR}/e2e/work/${build}
         E2E_DISPLAY_BASE=${display})
    add_test(NAME ${name}${suffix} COMMAND ${command})
    set_tests_properties(${name}${suffix} PROPERTIES SKIP_RETURN_CODE 77 ENVIRONMENT "${variables}")
    set_property(TEST ${name}${suffix} PROPERTY LABELS ${arg_LABEL} ${build})
    foreach(role SETUP CLEANUP REQUIRED)
      if(arg_FIXTURES_${role})
        set_property(TEST ${name}${suffix} PROPERTY FIXTURES_${role} ${arg_FIXTURES_${role}}_${build})
      endif()
    endforeach()
    if(arg_TIMEOUT)
      set_property(TEST ${name}${suffix} PROPERTY TIMEOUT ${arg_TIMEOUT})
    endif()
  endforeach()
endfunction()
