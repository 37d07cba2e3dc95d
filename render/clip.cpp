#include "render/clip.h"

namespace {

struct Region {
  int64_t x, y, w, h, sourceX, sourceY;
};

void Cut(Region& region, const ClipCuts& cuts) {
  region.sourceX += cuts.left;
  region.x += cuts.left;
  region.sourceY += cuts.top;
  region.y += cuts.top;
  region.w -= cuts.width;
  region.h -= cuts.height;
}

bool OutsideBounds(const Region& r, int64_t boundsWidth, int64_t boundsHeight) {
  return r.w <= 0 || r.h <= 0 || r.x >= boundsWidth || r.y >= boundsHeight || r.x + r.w <= 0 ||
         r.y + r.h <= 0;
}

}  // namespace

ClipCuts ClipAmounts(int64_t limitWidth, int64_t limitHeight, int64_t x, int64_t y, int64_t w, int64_t h) {
  ClipCuts cuts;
  cuts.left = x < 0 ? -x : 0;
  cuts.top = y < 0 ? -y : 0;
  cuts.width = cuts.left + (x + w > limitWidth ? x + w - limitWidth : 0);
  cuts.height = cuts.top + (y + h > limitHeight ? y + h - limitHeight : 0);
  return cuts;
}

bool ClipToBounds(int64_t boundsWidth, int64_t boundsHeight, int64_t* x, int64_t* y, int64_t* w, int64_t* h,
                  int64_t* sourceX, int64_t* sourceY, int64_t frameWidth, int64_t frameHeight) {
  Region r = {*x, *y, *w, *h, *sourceX, *sourceY};
  if (r.sourceX >= frameWidth || r.sourceY >= frameHeight || r.sourceX + r.w <= 0 || r.sourceY + r.h <= 0 ||
      OutsideBounds(r, boundsWidth, boundsHeight)) {
    return false;
  }
  Cut(r, ClipAmounts(frameWidth, frameHeight, r.sourceX, r.sourceY, r.w, r.h));
  if (OutsideBounds(r, boundsWidth, boundsHeight))
    return false;
  Cut(r, ClipAmounts(boundsWidth, boundsHeight, r.x, r.y, r.w, r.h));
  if (r.w <= 0 || r.h <= 0)
    return false;
  *x = r.x;
  *y = r.y;
  *w = r.w;
  *h = r.h;
  *sourceX = r.sourceX;
  *sourceY = r.sourceY;
  return true;
}
