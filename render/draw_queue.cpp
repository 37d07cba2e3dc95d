#include "render/draw_queue.h"

#include <cstdint>

#include "render/bitmap_header.h"
#include "render/blit.h"
#include "render/clip.h"
#include "render/frame_buffer.h"
#include "render/spare_records.h"
#include "sprites/bitmap_format.h"

DrawRequest* drawQueue = nullptr;

namespace {

DrawRequest* spareRequests = nullptr;

void Draw(const DrawRequest& request) {
  const LONG frameWidth = ReadBitmapHeader(request.frameHeader).biWidth;
  const RGBQUAD* colours = ColourTableAfter<RGBQUAD>(request.frameHeader);
  switch (request.mode) {
    case kDrawKeyed:
      BlitKeyed(request.destination, frameBuffer.width, request.width, request.height, frameWidth,
                request.source, colours, request.key, frameBuffer.bitsPerPixel);
      break;
    case kDrawKeyedMirrored:
      BlitKeyedMirrored(request.destination, frameBuffer.width, request.width, request.height, frameWidth,
                        request.source, colours, request.key, frameBuffer.bitsPerPixel);
      break;
    default:
      BlitOpaque(request.destination, frameBuffer.width, request.width, request.height, frameWidth,
                 request.source, colours, frameBuffer.bitsPerPixel);
      break;
  }
}

}  // namespace

BOOL QueueDraw(RECT* out, const RECT* in, const BITMAPINFO* frameHeader, const BYTE* frameBits, DWORD mode,
               LONG layer) {
  if (!out || !in || !frameHeader || !frameBits || !frameBuffer.bits)
    return FALSE;
  int64_t x = in->left, y = in->top;
  int64_t w = int64_t{in->right} - in->left, h = int64_t{in->bottom} - in->top;
  int64_t sourceX = 0, sourceY = 0;
  const BITMAPINFOHEADER frame = ReadBitmapHeader(frameHeader);
  const int64_t frameWidth = frame.biWidth, frameHeight = frame.biHeight;
  if (!ClipToBounds(frameBuffer.width, frameBuffer.height, &x, &y, &w, &h, &sourceX, &sourceY, frameWidth,
                    frameHeight)) {
    return FALSE;
  }
  *out = RECT{static_cast<LONG>(x), static_cast<LONG>(y), static_cast<LONG>(x + w), static_cast<LONG>(y + h)};

  const DWORD key = frameBuffer.useFixedKey ? frameBuffer.fixedKey : frameBits[0];
  // Frames are stored bottom-up: the region's bottom row lies frameHeight - h - sourceY rows in.
  const int64_t bottomRow = frameHeight - h - sourceY;
  const int64_t firstColumn = mode == kDrawKeyedMirrored ? frameWidth - 1 - sourceX : sourceX;
  const BYTE* source = frameBits + bottomRow * IndexedRowStride(frameWidth) + firstColumn;
  BYTE* destination = frameBuffer.bits +
                      (int64_t{frameBuffer.height} - h - y) *
                          FrameBufferRowStride(frameBuffer.width, frameBuffer.bitsPerPixel) +
                      x * frameBuffer.bytesPerPixel;

  DrawRequest* request = TakeRecord(&spareRequests);
  if (!request)
    return FALSE;
  request->destination = destination;
  request->width = static_cast<LONG>(w);
  request->height = static_cast<LONG>(h);
  request->frameHeader = frameHeader;
  request->source = source;
  request->mode = mode;
  request->key = key;
  request->layer = layer;
  LinkAtTail(&drawQueue, LastRecord(drawQueue), request);
  return TRUE;
}

void SetTransparentKey(DWORD key) {
  frameBuffer.useFixedKey = TRUE;
  frameBuffer.fixedKey = key;
}

void SortDrawQueue() {
  int count = 0;
  for (DrawRequest* request = drawQueue; request; request = request->next)
    ++count;
  for (int k = count; k >= 1; --k) {
    // The first of the greatest positive layers among the first k goes right after the k-th.
    DrawRequest* chosen = nullptr;
    DrawRequest* anchor = nullptr;
    LONG highest = 0;
    DrawRequest* request = drawQueue;
    for (int i = 1; i <= k; ++i, request = request->next) {
      anchor = request;
      if (request->layer > highest) {
        highest = request->layer;
        chosen = request;
      }
    }
    if (chosen && chosen != anchor) {
      UnlinkRecord(&drawQueue, chosen);
      LinkAfter(anchor, chosen);
    }
  }
}

void ComposeFrame() {
  // Erases that GDI may still hold back must land before the pixels are written directly.
  GdiFlush();
  SortDrawQueue();
  for (const DrawRequest* request = drawQueue; request; request = request->next)
    Draw(*request);
  KeepRecords(&drawQueue, &spareRequests);
}

void ClearDrawQueue() {
  FreeList(&drawQueue);
  FreeList(&spareRequests);
}
