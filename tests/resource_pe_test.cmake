# The shipped savers' resources against the resource script, one ctest case per architecture. It
# needs the savers' paths, so it is included where they are defined (after SAVER_WIN64_SCR and
# SAVER_WIN32_SCR), and the test program saver_tests.
if(NOT DEFINED SAVER_WIN64_SCR OR NOT DEFINED SAVER_WIN32_SCR OR NOT TARGET saver_tests)
  message(FATAL_ERROR "resource_pe_test.cmake needs SAVER_WIN64_SCR, SAVER_WIN32_SCR and saver_tests")
endif()
foreach(architecture win64 win32)
  string(TOUPPER ${architecture} upper)
  add_test(NAME resources_${architecture} COMMAND saver_tests --gtest_filter=ShippedResources.*)
  set_tests_properties(resources_${architecture} PROPERTIES
    LABELS e2e TIMEOUT 60 ENVIRONMENT "SAVER_SCR=${SAVER_${upper}_SCR}")
endforeach()
