// The Draw queue: the drawings requested during one tick, clipped when queued, drawn by layer.
#pragma once
#include <windows.h>

// Draw modes; every other value draws opaque.
const DWORD kDrawOpaque = 1;
const DWORD kDrawKeyed = 2;
const DWORD kDrawKeyedMirrored = 3;

struct DrawRequest {
  DrawRequest* next;
  DrawRequest* prev;
  BYTE* destination;  // bottom-left pixel of the clipped target region
  LONG width;
  LONG height;
  const BITMAPINFO* frameHeader;  // its 256-entry colour table follows the 40-byte header
  const BYTE* source;             // bottom-left pixel of the source region; bottom-right when mirrored
  DWORD mode;
  DWORD key;
  LONG layer;
};

extern DrawRequest* drawQueue;

// Queues frameBits (rows bottom-up, described by frameHeader) at `in`; on success `out` holds the
// clipped rectangle. `out` may be `in`. Returns 0 when nothing is visible or no memory is left.
BOOL QueueDraw(RECT* out, const RECT* in, const BITMAPINFO* frameHeader, const BYTE* frameBits, DWORD mode,
               LONG layer);
// From now on every queued drawing treats the low byte of key as transparent.
void SetTransparentKey(DWORD key);
// Draws every request, lower layers first, and empties the queue.
void ComposeFrame();
// Frees the queue and the records kept for reuse.
void ClearDrawQueue();
// Layers ascending; layer 0 and below first in queuing order; equal positive layers reversed.
void SortDrawQueue();
