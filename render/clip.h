// Clipping a drawing to its frame and to the Logical screen. Arithmetic is 64-bit so that no
// rectangle, however far off, can overflow.
#pragma once
#include <cstdint>

struct ClipCuts {
  int64_t left = 0;
  int64_t top = 0;
  int64_t width = 0;   // columns cut on both sides together
  int64_t height = 0;  // rows cut above and below together
};

// What must go so that (x, y, w, h) lies within (0, 0, limitWidth, limitHeight).
ClipCuts ClipAmounts(int64_t limitWidth, int64_t limitHeight, int64_t x, int64_t y, int64_t w, int64_t h);

// A drawing of w by h at (x, y), read from (sourceX, sourceY) of a frame, cut to the frame and then
// to the bounds. Returns false, changing nothing, when nothing of it remains.
bool ClipToBounds(int64_t boundsWidth, int64_t boundsHeight, int64_t* x, int64_t* y, int64_t* w, int64_t* h,
                  int64_t* sourceX, int64_t* sourceY, int64_t frameWidth, int64_t frameHeight);
