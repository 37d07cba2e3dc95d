#include "sprites/module_resource.h"

bool LockModuleResource(HINSTANCE instance, const char* name, const char* type, ResourceBytes* found) {
  *found = ResourceBytes{};
  HRSRC resource = FindResourceA(instance, name, type);
  if (!resource)
    return false;
  found->size = SizeofResource(instance, resource);
  found->handle = LoadResource(instance, resource);
  if (found->handle)
    found->bytes = static_cast<const BYTE*>(LockResource(found->handle));
  return found->bytes != nullptr;
}
