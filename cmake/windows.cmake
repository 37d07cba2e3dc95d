# MinGW builds: the shipped screen saver, one self-contained file per architecture.
enable_language(RC)

add_executable(saver WIN32 ${SAVER_SOURCES} ${CMAKE_SOURCE_DIR}/host/winmain.cpp
               ${CMAKE_SOURCE_DIR}/resources/saver.rc)
target_include_directories(saver PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_definitions(saver PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
set_target_properties(saver PROPERTIES OUTPUT_NAME "lomlom" SUFFIX ".scr")
# The C and C++ runtimes go into the file itself, so it needs nothing beside Windows' own DLLs.
target_link_options(saver PRIVATE -static -static-libgcc -static-libstdc++ -mwindows)
target_link_libraries(saver PRIVATE winmm gdi32 user32 advapi32 kernel32)

# The Win32 side of the end-to-end tests, built with the same compiler as the saver.
add_subdirectory(e2e/driver)
