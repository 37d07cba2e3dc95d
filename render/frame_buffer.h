// The frame buffer: one DIB section of the Logical screen at the display's depth, rows bottom-up,
// selected into a memory context so that GDI can erase it and copy it to the window.
#pragma once
#include <windows.h>

struct FrameBuffer {
  LONG width = 0;
  LONG height = 0;
  LONG bitsPerPixel = 0;
  LONG bytesPerPixel = 0;
  BITMAPINFO* header = nullptr;  // heap block with room for 256 colour-table entries
  HBITMAP bitmap = nullptr;
  HDC memoryDC = nullptr;
  BYTE* bits = nullptr;
  BOOL useFixedKey = FALSE;
  DWORD fixedKey = 0;
};

// Outcomes of the last CreateFrameBuffer.
const LONG kFrameBufferOk = 0;
const LONG kFrameBufferNoResources = -1;
const LONG kFrameBufferBadDepth = -2;
const LONG kFrameBufferNotSelectable = -3;

extern FrameBuffer frameBuffer;
extern LONG frameBufferError;

// paletteEntries (may be null) become the colour table at 8 bits per pixel.
BOOL CreateFrameBuffer(HWND window, LONG width, LONG height, const LOGPALETTE* paletteEntries);
void ReleaseFrameBuffer();
// Null when the block cannot be allocated or the picture would not fit in 32 bits of bytes.
BITMAPINFO* BuildFrameBufferHeader(LONG bitsPerPixel, LONG width, LONG height);

void EraseRect(const RECT* rect);
void CopyRectToWindow(HDC target, int x, int y, int width, int height, int sourceX, int sourceY);
