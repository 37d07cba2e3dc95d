# add_shipped_resources_test(NAME SCR [PROPERTY VALUE]...): ctest case NAME checks the shipped saver
# SCR against the resource script and the project's version (the ShippedResources tests of
# saver_tests); the further arguments are test properties. Included where the savers' paths are
# defined (after SAVER_WIN64_SCR and SAVER_WIN32_SCR), with the test program saver_tests.
if(NOT DEFINED SAVER_WIN64_SCR OR NOT DEFINED SAVER_WIN32_SCR OR NOT TARGET saver_tests)
  message(FATAL_ERROR "resource_pe_test.cmake needs SAVER_WIN64_SCR, SAVER_WIN32_SCR and saver_tests")
endif()
function(add_shipped_resources_test name scr)
  add_test(NAME ${name} COMMAND saver_tests --gtest_filter=ShippedResources.*)
  set_tests_properties(${name} PROPERTIES
    TIMEOUT 60 ENVIRONMENT "SAVER_SCR=${scr};SAVER_VERSION=${PROJECT_VERSION}" ${ARGN})
endfunction()

add_shipped_resources_test(resources_win64 ${SAVER_WIN64_SCR} LABELS e2e)
add_shipped_resources_test(resources_win32 ${SAVER_WIN32_SCR} LABELS e2e)
