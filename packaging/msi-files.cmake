# Where the build puts the Windows Installer packages: MSI_x64 and MSI_x86.
foreach(arch x64 x86)
  set(MSI_${arch} ${CMAKE_BINARY_DIR}/msi/lomlom-${PROJECT_VERSION}-${arch}.msi)
endforeach()
