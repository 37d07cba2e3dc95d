# Native build: the saver's sources against the project's own Win32 subset, for tests and tools.
enable_testing()

set(SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
option(SAVER_SANITIZE "Build the native saver and tests with AddressSanitizer and UBSan" ON)
if(SAVER_SANITIZE)
  add_compile_options(${SANITIZE_FLAGS})
  add_link_options(-fsanitize=address,undefined)
endif()

file(GLOB HEADLESS_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/headless/src/*.cpp)
add_library(headless STATIC ${HEADLESS_SOURCES})
target_include_directories(headless PUBLIC ${CMAKE_SOURCE_DIR}/headless/include)

add_library(saver_core STATIC ${SAVER_SOURCES})
target_include_directories(saver_core PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(saver_core PUBLIC headless)

# 8-bit BMP files as the picture resources hold them, for the tests' own frames.
add_library(bitmap_file STATIC ${CMAKE_SOURCE_DIR}/bitmap_file/bitmap_file.cpp)
target_include_directories(bitmap_file PUBLIC ${CMAKE_SOURCE_DIR})

# Runs of the saver's modes on the headless machine, tick by tick: for the renderer and the tests.
add_library(saver_run STATIC ${CMAKE_SOURCE_DIR}/saver_run/saving_run.cpp ${CMAKE_SOURCE_DIR}/saver_run/saver_process.cpp)
target_link_libraries(saver_run PUBLIC saver_core)
# A line per tick of what the screen shows, hashed at the display's precision: the renderer writes
# it, the tests and the end-to-end watch compare against it.
find_package(ZLIB REQUIRED)
add_library(frame_log STATIC ${CMAKE_SOURCE_DIR}/saver_run/frame_log.cpp)
target_link_libraries(frame_log PUBLIC saver_core ZLIB::ZLIB)

set(SAVER_NATIVE_PARTS tools bench fuzz tests e2e CACHE STRING "Folders of the native build to include")
foreach(part ${SAVER_NATIVE_PARTS})
  if(EXISTS ${CMAKE_SOURCE_DIR}/${part}/CMakeLists.txt)
    add_subdirectory(${part})
  endif()
endforeach()

# lomlom, the saver as a native XScreenSaver module (Linux only: Xlib, MIT-SHM and SDL's audio).
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  add_subdirectory(linux)
endif()

# The release zip needs both shipped savers' paths (from e2e) and the resource test (from tests).
if(DEFINED SAVER_WIN64_SCR AND TARGET saver_tests)
  include(${CMAKE_SOURCE_DIR}/cmake/release/release.cmake)
endif()
