// Device-dependent bitmaps made from device-independent ones: kept in the 32-bit layout, top-down.
#include "gdi.h"
#include "world.h"

HBITMAP WINAPI CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                              const BITMAPINFO* info, UINT usage) {
  const BITMAPINFOHEADER copy = HeaderOf(header);
  LogCall("CreateDIBitmap", dc, " ", copy.biWidth, "x", copy.biHeight, " init=", init, " usage=", usage);
  const bool initialise = (init & CBM_INIT) != 0;
  BitmapPixels size, source;
  if (!FindGdiObject(dc, GdiKind::DeviceContext) || ShouldFail("CreateDIBitmap") ||
      !DescribeDib(header, DIB_RGB_COLORS, dc, false, &size) ||
      (initialise && (!bits || !DescribeDib(info, usage, dc, true, &source)))) {
    return nullptr;
  }
  GdiObject bitmap;
  bitmap.kind = GdiKind::Bitmap;
  BitmapPixels& pixels = bitmap.pixels;
  pixels.width = size.width;
  pixels.height = size.height;
  pixels.bottomUp = false;
  pixels.stride = size.width * 4;
  pixels.memory.assign(static_cast<size_t>(pixels.stride) * pixels.height, 0);
  pixels.bits = pixels.memory.data();
  if (initialise) {
    source.bits = const_cast<BYTE*>(static_cast<const BYTE*>(bits));
    for (int y = 0; y < pixels.height && y < source.height; ++y) {
      for (int x = 0; x < pixels.width && x < source.width; ++x)
        StorePixel(pixels, x, y, ReadPixel(source, x, y));
    }
  }
  return static_cast<HBITMAP>(AddGdiObject(std::move(bitmap)));
}
