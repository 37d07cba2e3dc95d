// The fuzz target's stand-in for the module's resources and the device bitmaps.
#pragma once
#include <windows.h>

#include <cstddef>

// The bytes that every resource lookup finds until the next call.
void SetFuzzResource(const BYTE* bytes, size_t size);
// Device bitmaps made and not yet deleted.
int LiveFuzzBitmaps();
