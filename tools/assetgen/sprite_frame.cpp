#include "sprite_frame.h"

#include <algorithm>

namespace assetgen {
namespace {

int CentredStart(int start, int length, int newLength, int limit) {
  const int first = start - (newLength - length) / 2;
  if (newLength > limit)
    return first;
  return std::clamp(first, 0, limit - newLength);
}

}  // namespace

Rect OpaqueBounds(const IndexImage& image) {
  int x0 = image.width, y0 = image.height, x1 = 0, y1 = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (image.pixels[static_cast<std::size_t>(y) * image.width + x] == kTransparentIndex)
        continue;
      x0 = std::min(x0, x);
      y0 = std::min(y0, y);
      x1 = std::max(x1, x + 1);
      y1 = std::max(y1, y + 1);
    }
  }
  if (x1 <= x0)
    return {};
  return {x0, y0, x1 - x0, y1 - y0};
}

Rect Resized(const Rect& bounds, int width, int height, const IndexImage& image) {
  return {CentredStart(bounds.x, bounds.width, width, image.width),
          CentredStart(bounds.y, bounds.height, height, image.height), width, height};
}

Rect FittedBox(const Rect& bounds, IntRange widths, IntRange heights, const IndexImage& image) {
  const int width = std::clamp(bounds.width + 2, widths.min, widths.max);
  const int height = std::clamp(bounds.height + 2, heights.min, heights.max);
  return Resized(bounds, width, height, image);
}

SpriteFrame CutFrame(const IndexImage& stage, const Rect& box) {
  SpriteFrame frame;
  frame.x = box.x;
  frame.bottom = box.y + box.height;
  frame.image.width = box.width;
  frame.image.height = box.height;
  frame.image.pixels.assign(static_cast<std::size_t>(box.width) * box.height, kTransparentIndex);
  for (int y = 0; y < box.height; ++y) {
    const int sy = box.y + y;
    if (sy < 0 || sy >= stage.height)
      continue;
    for (int x = 0; x < box.width; ++x) {
      const int sx = box.x + x;
      if (sx < 0 || sx >= stage.width)
        continue;
      frame.image.pixels[static_cast<std::size_t>(y) * box.width + x] =
          stage.pixels[static_cast<std::size_t>(sy) * stage.width + sx];
    }
  }
  return frame;
}

}  // namespace assetgen
