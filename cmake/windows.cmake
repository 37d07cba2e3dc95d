# MinGW builds: the shipped screen saver, one self-contained file per architecture.
enable_language(RC)

# The pictures, palette, sounds and icon that saver.rc names are drawn by the native build's asset
# generator; windres finds them in its asset folder.
set(SAVER_ASSET_DIR "" CACHE PATH "Folder of the generated resources (the native build's assets)")
if(NOT IS_DIRECTORY "${SAVER_ASSET_DIR}")
  message(FATAL_ERROR "SAVER_ASSET_DIR \"${SAVER_ASSET_DIR}\" is not a folder. Build the native preset "
                      "first (cmake --preset native && cmake --build --preset native --target assets), "
                      "or pass -DSAVER_ASSET_DIR=<native build>/assets.")
endif()
# The files that the script names and includes: a missing one is named now rather than by windres
# later, and a changed one rebuilds the resources (windres reports no dependencies of its own).
# windres looks for them, as for headers, in the generated folder and then in the asset folder.
set(SAVER_RESOURCE_SCRIPT ${CMAKE_SOURCE_DIR}/resources/saver.rc)
set(SAVER_RESOURCE_FOLDERS ${SAVER_GENERATED_DIR} ${SAVER_ASSET_DIR})
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${SAVER_RESOURCE_SCRIPT})
file(STRINGS ${SAVER_RESOURCE_SCRIPT} resource_names REGEX "^[A-Za-z0-9_]+ +[A-Za-z_][A-Za-z0-9_]* +\"[^\"]+\"$")
list(TRANSFORM resource_names REPLACE "^.*\"([^\"]+)\"$" "\\1")
set(resource_files ${SAVER_GENERATED_DIR}/saver_version.h)
foreach(name ${resource_names})
  set(found "")
  foreach(folder ${SAVER_RESOURCE_FOLDERS})
    if(NOT found AND EXISTS ${folder}/${name})
      set(found ${folder}/${name})
    endif()
  endforeach()
  if(NOT found)
    message(FATAL_ERROR "${name} is in none of ${SAVER_RESOURCE_FOLDERS}: build the native preset's assets first.")
  endif()
  list(APPEND resource_files ${found})
endforeach()
set_source_files_properties(${SAVER_RESOURCE_SCRIPT} PROPERTIES OBJECT_DEPENDS "${resource_files}")

# The saver's sources are compiled once, for the saver and for the Win32 programs of the tests.
add_library(saver_objects OBJECT ${SAVER_SOURCES})
target_include_directories(saver_objects PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_definitions(saver_objects PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX)

add_executable(saver WIN32 ${CMAKE_SOURCE_DIR}/host/winmain.cpp ${SAVER_RESOURCE_SCRIPT})
target_link_libraries(saver PRIVATE saver_objects)
target_include_directories(saver PRIVATE "$<$<COMPILE_LANGUAGE:RC>:${SAVER_RESOURCE_FOLDERS}>")
set_target_properties(saver PROPERTIES OUTPUT_NAME "lomlom" SUFFIX ".scr")
# The C and C++ runtimes go into the file itself, so it needs nothing beside Windows' own DLLs.
target_link_options(saver PRIVATE -static -static-libgcc -static-libstdc++ -mwindows)
target_link_libraries(saver PRIVATE winmm gdi32 user32 advapi32 kernel32)

# The Win32 side of the end-to-end tests, built with the same compiler as the saver.
add_subdirectory(e2e/driver)
add_subdirectory(e2e/fixtures)
add_subdirectory(e2e/picture)
add_subdirectory(e2e/preview_still)
# The least a saver can do, for the CPU time comparison under Wine (bench/wine/cpu.sh).
add_subdirectory(bench/wine)
