// Bitmap headers inside resources are, as a rule, only 2-byte aligned: their fields are read from
// a copy, never in place.
#pragma once
#include <windows.h>

#include <cstring>

inline BITMAPINFOHEADER ReadBitmapHeader(const void* header) {
  BITMAPINFOHEADER copy;
  std::memcpy(&copy, header, sizeof copy);
  return copy;
}
