#include "render/frame_buffer.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "render/blit.h"
#include "render/dirty_list.h"
#include "render/draw_queue.h"

FrameBuffer frameBuffer;
LONG frameBufferError = kFrameBufferOk;

namespace {

const int kColourSlots = 256;
const size_t kHeaderBytes = sizeof(BITMAPINFOHEADER) + kColourSlots * sizeof(RGBQUAD);

void SetMasks(BITMAPINFO* header, DWORD red, DWORD green, DWORD blue) {
  const DWORD masks[3] = {red, green, blue};
  std::memcpy(header->bmiColors, masks, sizeof masks);
}

void FillColourTable(BITMAPINFO* header, const LOGPALETTE* palette) {
  const int count = palette->palNumEntries < kColourSlots ? palette->palNumEntries : kColourSlots;
  for (int i = 0; i < count; ++i) {
    const PALETTEENTRY& entry = palette->palPalEntry[i];
    header->bmiColors[i] = RGBQUAD{entry.peBlue, entry.peGreen, entry.peRed, 0};
  }
}

void FillBlack(HDC dc, LONG width, LONG height) {
  const RECT whole = {0, 0, width, height};
  FillRect(dc, &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

BOOL Fail(LONG error) {
  frameBufferError = error;
  ReleaseFrameBuffer();
  return FALSE;
}

}  // namespace

BITMAPINFO* BuildFrameBufferHeader(LONG bitsPerPixel, LONG width, LONG height) {
  const int64_t imageSize = int64_t{FrameBufferRowStride(width, bitsPerPixel)} * height;
  if (imageSize < 0 || imageSize > UINT32_MAX)
    return nullptr;
  BITMAPINFO* header = static_cast<BITMAPINFO*>(std::calloc(1, kHeaderBytes));
  if (!header)
    return nullptr;
  BITMAPINFOHEADER& info = header->bmiHeader;
  info.biSize = sizeof(BITMAPINFOHEADER);
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = static_cast<WORD>(bitsPerPixel);
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(imageSize);
  switch (bitsPerPixel) {
    case 8:
      info.biClrUsed = kColourSlots;
      info.biClrImportant = kColourSlots;
      break;
    case 16:
      info.biCompression = BI_BITFIELDS;
      SetMasks(header, 0x7C00, 0x3E0, 0x1F);
      break;
    case 32:
      info.biCompression = BI_BITFIELDS;
      SetMasks(header, 0xFF0000, 0xFF00, 0xFF);
      break;
    default:
      break;
  }
  return header;
}

BOOL CreateFrameBuffer(HWND window, LONG width, LONG height, const LOGPALETTE* paletteEntries) {
  ReleaseFrameBuffer();
  frameBufferError = kFrameBufferOk;
  HDC windowDC = GetDC(window);
  frameBuffer.bitsPerPixel = GetDeviceCaps(windowDC, BITSPIXEL);
  frameBuffer.bytesPerPixel = frameBuffer.bitsPerPixel / 8;
  if (frameBuffer.bitsPerPixel < 8 || frameBuffer.bitsPerPixel > 32) {
    ReleaseDC(window, windowDC);
    frameBufferError = kFrameBufferBadDepth;
    return FALSE;
  }
  frameBuffer.header = BuildFrameBufferHeader(frameBuffer.bitsPerPixel, width, height);
  if (!frameBuffer.header) {
    ReleaseDC(window, windowDC);
    frameBufferError = kFrameBufferNoResources;
    return FALSE;
  }
  if (frameBuffer.bitsPerPixel == 8 && paletteEntries)
    FillColourTable(frameBuffer.header, paletteEntries);
  frameBuffer.memoryDC = CreateCompatibleDC(windowDC);
  void* bits = nullptr;
  frameBuffer.bitmap = CreateDIBSection(windowDC, frameBuffer.header, DIB_RGB_COLORS, &bits, nullptr, 0);
  frameBuffer.bits = static_cast<BYTE*>(bits);
  ReleaseDC(window, windowDC);
  if (!frameBuffer.memoryDC || !frameBuffer.bitmap)
    return Fail(kFrameBufferNoResources);
  if (!SelectObject(frameBuffer.memoryDC, frameBuffer.bitmap))
    return Fail(kFrameBufferNotSelectable);
  FillBlack(frameBuffer.memoryDC, width, height);
  frameBuffer.width = width;
  frameBuffer.height = height;
  frameBuffer.useFixedKey = FALSE;
  return TRUE;
}

// The context goes first so that the bitmap is no longer selected when it is deleted. Queued
// drawings point into the bitmap's pixels and dirty rectangles into its area: they go with it.
void ReleaseFrameBuffer() {
  ClearDrawQueue();
  ClearDirtyList();
  if (frameBuffer.memoryDC)
    DeleteDC(frameBuffer.memoryDC);
  if (frameBuffer.bitmap)
    DeleteObject(frameBuffer.bitmap);
  std::free(frameBuffer.header);
  frameBuffer.memoryDC = nullptr;
  frameBuffer.bitmap = nullptr;
  frameBuffer.header = nullptr;
  frameBuffer.bits = nullptr;
  frameBuffer.width = 0;
  frameBuffer.height = 0;
}

void EraseRect(const RECT* rect) {
  if (frameBuffer.memoryDC && rect)
    FillRect(frameBuffer.memoryDC, rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void CopyRectToWindow(HDC target, int x, int y, int width, int height, int sourceX, int sourceY) {
  BitBlt(target, x, y, width, height, frameBuffer.memoryDC, sourceX, sourceY, SRCCOPY);
}
