// The bytes of a named resource of the module, which stay valid and in place as long as the module.
#pragma once
#include <windows.h>

#include <cstddef>

struct ResourceBytes {
  HGLOBAL handle;
  const BYTE* bytes;
  size_t size;
};

// False when the resource is missing or cannot be loaded.
bool LockModuleResource(HINSTANCE instance, const char* name, const char* type, ResourceBytes* found);
