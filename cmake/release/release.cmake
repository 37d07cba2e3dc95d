# The release package, lomlom-<version>.zip (cpack --preset release): both shipped savers under names
# that tell them apart, an install text, the licence, the README's pictures and their SHA256SUMS. Everything in it is
# made by the Windows builds or kept in the sources, so packing builds nothing of this tree.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

set(release_texts ${CMAKE_BINARY_DIR}/release-texts)
# Windows users read these in Notepad, which before Windows 10 shows one long line for LF endings.
configure_file(${CMAKE_CURRENT_LIST_DIR}/INSTALL.txt.in ${release_texts}/INSTALL.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${CMAKE_SOURCE_DIR}/LICENSE ${release_texts}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)

# The pictures are the ones that the README links, so the package follows the README.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/README.md)
file(READ ${CMAKE_SOURCE_DIR}/README.md readme)
string(REGEX MATCHALL "\\(docs/[^)]+\\.(png|gif)\\)" readme_pictures "${readme}")
list(TRANSFORM readme_pictures REPLACE "^\\((.*)\\)$" "${CMAKE_SOURCE_DIR}/\\1")
list(REMOVE_DUPLICATES readme_pictures)

install(FILES ${SAVER_WIN64_SCR} DESTINATION . RENAME lomlom-64bit.scr)
install(FILES ${SAVER_WIN32_SCR} DESTINATION . RENAME lomlom-32bit.scr)
install(FILES ${release_texts}/INSTALL.txt ${release_texts}/LICENSE.txt DESTINATION .)
install(FILES ${readme_pictures} DESTINATION pictures)
# Last, over everything above: one SHA-256 line per file, as sha256sum -c reads them.
set(packed_names INSTALL.txt LICENSE.txt lomlom-32bit.scr lomlom-64bit.scr)
foreach(picture IN LISTS readme_pictures)
  get_filename_component(picture_name ${picture} NAME)
  list(APPEND packed_names pictures/${picture_name})
endforeach()
install(CODE "set(packed_names \"${packed_names}\")")
install(CODE [[
  set(top "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  set(sums "")
  foreach(name IN LISTS packed_names)
    file(SHA256 "${top}/${name}" sum)
    string(APPEND sums "${sum}  ${name}\n")
  endforeach()
  file(WRITE "${top}/SHA256SUMS" "${sums}")
]])

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME lomlom)
set(CPACK_PACKAGE_VENDOR ${SAVER_MANUFACTURER})
set(CPACK_PACKAGE_FILE_NAME lomlom-${PROJECT_VERSION})
set(CPACK_PACKAGE_CHECKSUM SHA256)
include(CPack)

# CI: the zip is made afresh and its listing and files checked (release_package); then both savers
# in it pass the import check and the resource test that the build's own files pass.
set(release_check ${CMAKE_BINARY_DIR}/release-check)
set(unpacked ${release_check}/unpacked/lomlom-${PROJECT_VERSION})
add_test(NAME release_package
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check-package.sh ${CMAKE_CPACK_COMMAND} ${CMAKE_COMMAND}
                 ${CMAKE_BINARY_DIR}/CPackConfig.cmake ${release_check} lomlom-${PROJECT_VERSION}
                 ${CMAKE_SOURCE_DIR} ${SAVER_WIN64_SCR} ${SAVER_WIN32_SCR})
set_tests_properties(release_package PROPERTIES FIXTURES_SETUP release_package LABELS release TIMEOUT 120)
# The import check and the resource test of both savers in FOLDER (as the release names them), each
# after the fixture that puts them there.
function(add_release_saver_checks name folder fixture)
  foreach(bits 64 32)
    if(bits EQUAL 64)
      set(tool x86_64-w64-mingw32-objdump)
      set(kind PE32+)
    else()
      set(tool i686-w64-mingw32-objdump)
      set(kind PE32)
    endif()
    add_test(NAME release_${name}imports_${bits}bit
             COMMAND bash ${CMAKE_SOURCE_DIR}/e2e/check-imports.sh ${folder}/lomlom-${bits}bit.scr ${tool} ${kind})
    set_tests_properties(release_${name}imports_${bits}bit PROPERTIES
      FIXTURES_REQUIRED ${fixture} LABELS release TIMEOUT 60)
    add_shipped_resources_test(release_${name}resources_${bits}bit ${folder}/lomlom-${bits}bit.scr
                               FIXTURES_REQUIRED ${fixture} LABELS release)
  endforeach()
endfunction()
add_release_saver_checks("" ${unpacked} release_package)

# The Windows Installer packages, from the same files.
add_subdirectory(${CMAKE_SOURCE_DIR}/packaging ${CMAKE_BINARY_DIR}/packaging)
