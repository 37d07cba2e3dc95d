// One cut-out picture of an animation with the place where it stands on the stage.
#pragma once
#include "canvas.h"

namespace assetgen {

struct IntRange {
  int min = 0;
  int max = 0;
};

struct SpriteFrame {
  IndexImage image;
  int x = 0;       // left edge on the stage
  int bottom = 0;  // bottom edge (exclusive) on the stage
};

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
};

// Tight box around the non-transparent pixels (empty when there are none).
Rect OpaqueBounds(const IndexImage& image);

// Box of the given size centred on `bounds`, kept inside the image where the image allows.
Rect Resized(const Rect& bounds, int width, int height, const IndexImage& image);

// Box size clamped into the ranges, one pixel of margin added first.
Rect FittedBox(const Rect& bounds, IntRange widths, IntRange heights, const IndexImage& image);

SpriteFrame CutFrame(const IndexImage& stage, const Rect& box);

}  // namespace assetgen
