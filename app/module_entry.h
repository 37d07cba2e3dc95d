// Entries found with GetProcAddress are typed by the caller; the detour through a plain function
// pointer keeps the compiler from treating the conversion as a mistake.
#pragma once
#include <windows.h>

template <typename Entry>
Entry ModuleEntry(HMODULE module, const char* name) {
  return reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}
