// DIB sections: bitmaps whose pixels the program writes directly through the pointer it receives.
#include "gdi.h"
#include "world.h"

HBITMAP WINAPI CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                                DWORD offset) {
  const BITMAPINFOHEADER header = HeaderOf(info);
  LogCall("CreateDIBSection", dc, " ", header.biWidth, "x", header.biHeight, "x", header.biBitCount,
          " compression=", header.biCompression);
  if (bits)
    *bits = nullptr;
  GdiObject bitmap;
  bitmap.kind = GdiKind::Bitmap;
  bitmap.dibSection = true;
  BitmapPixels& pixels = bitmap.pixels;
  if (ShouldFail("CreateDIBSection") || section || offset ||
      (dc && !FindGdiObject(dc, GdiKind::DeviceContext)) || !DescribeDib(info, usage, dc, true, &pixels)) {
    return nullptr;
  }
  // New sections start zero-filled.
  pixels.memory.assign(static_cast<size_t>(pixels.stride) * pixels.height, 0);
  pixels.bits = pixels.memory.data();
  BYTE* memory = pixels.bits;
  HBITMAP handle = static_cast<HBITMAP>(AddGdiObject(std::move(bitmap)));
  if (bits)
    *bits = memory;
  return handle;
}
