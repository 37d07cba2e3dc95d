// The few Win32 calls that the sprite loaders make, for the fuzz target: the module holds one
// resource, the input under test, whatever its name and type.
#include <windows.h>

#include <cstring>

#include "fuzz/resource_shim.h"

namespace {

const BYTE* currentBytes = nullptr;
size_t currentSize = 0;
int liveBitmaps = 0;
char bitmapHandles[1];  // every bitmap handle points here

}  // namespace

void SetFuzzResource(const BYTE* bytes, size_t size) {
  currentBytes = bytes;
  currentSize = size;
}

int LiveFuzzBitmaps() {
  return liveBitmaps;
}

HRSRC WINAPI FindResourceA(HMODULE, LPCSTR, LPCSTR) {
  return reinterpret_cast<HRSRC>(const_cast<BYTE*>(currentBytes));
}

DWORD WINAPI SizeofResource(HMODULE, HRSRC) {
  return static_cast<DWORD>(currentSize);
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC resource) {
  return resource;
}

LPVOID WINAPI LockResource(HGLOBAL data) {
  return data;
}

// Reads the whole header, colour table and pixel rows, as the system would when it converts them.
HBITMAP WINAPI CreateDIBitmap(HDC, const BITMAPINFOHEADER* header, DWORD, const void* bits,
                              const BITMAPINFO* info, UINT) {
  BITMAPINFOHEADER copy;
  std::memcpy(&copy, header, sizeof copy);
  volatile BYTE sink = reinterpret_cast<const BYTE*>(info)[sizeof copy + 4 * 256 - 1];
  const size_t stride = (static_cast<size_t>(copy.biWidth) + 3) / 4 * 4;
  sink = static_cast<const BYTE*>(bits)[stride * static_cast<size_t>(copy.biHeight) - 1];
  (void)sink;
  ++liveBitmaps;
  return reinterpret_cast<HBITMAP>(bitmapHandles);
}

BOOL WINAPI DeleteObject(HGDIOBJ) {
  --liveBitmaps;
  return TRUE;
}
