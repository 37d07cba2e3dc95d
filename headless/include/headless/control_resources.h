// The executable's resources in the headless subset: the ones the build compiles in from the
// resource script, and test controls that add, replace or remove them.
#pragma once
#include <windows.h>

#include <cstddef>
#include <vector>

// One resource compiled into the native program. type and name are upper-case text, or "#" and the
// decimal number for numbered ones ("#14" for an icon group, "#100" for its name).
struct EmbeddedResource {
  const char* type;
  const char* name;
  const unsigned char* bytes;
  size_t size;
};

extern const EmbeddedResource embeddedResources[];
extern const size_t embeddedResourceCount;

// Type and name as FindResourceA takes them: text (any case, "#100" for a number) or
// MAKEINTRESOURCE. A resource set here replaces the compiled-in one of the same type and name;
// its bytes stay valid until it is replaced or removed, or the machine is reset.
void HeadlessSetResource(LPCSTR type, LPCSTR name, const std::vector<BYTE>& bytes);
void HeadlessRemoveResource(LPCSTR type, LPCSTR name);
