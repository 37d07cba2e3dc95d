#include "distance_field.h"

#include <cmath>

namespace assetgen {
namespace {

bool Inside(const TextMask& mask, int x, int y) {
  if (x < 0 || y < 0 || x >= mask.width || y >= mask.height)
    return false;
  return mask.coverage[static_cast<std::size_t>(y) * mask.width + x] >= 0.5f;
}

}  // namespace

DistanceField MakeDistanceField(const TextMask& mask, double unitsPerPixel, double reach) {
  DistanceField field;
  const int pad = static_cast<int>(std::ceil(reach * unitsPerPixel)) + 2;
  field.width = mask.width + 2 * pad;
  field.height = mask.height + 2 * pad;
  field.pad = pad;
  field.unitsPerPixel = unitsPerPixel;
  field.distance.assign(static_cast<std::size_t>(field.width) * field.height, static_cast<float>(reach));
  field.letter.assign(field.distance.size(), -1);
  for (int y = 0; y < field.height; ++y) {
    for (int x = 0; x < field.width; ++x) {
      const int mx = x - pad, my = y - pad;
      const bool inside = Inside(mask, mx, my);
      double edge = 2.0 * pad * pad, ink = edge;
      int letter = -1;
      for (int dy = -pad; dy <= pad; ++dy) {
        for (int dx = -pad; dx <= pad; ++dx) {
          const double d2 = dx * dx + dy * dy;
          const bool inkThere = Inside(mask, mx + dx, my + dy);
          if (inkThere != inside && d2 < edge)
            edge = d2;
          if (inkThere && d2 < ink) {
            ink = d2;
            letter = mask.letter[static_cast<std::size_t>(my + dy) * mask.width + (mx + dx)];
          }
        }
      }
      const double d = (std::sqrt(edge) - 0.5) / unitsPerPixel;
      const std::size_t at = static_cast<std::size_t>(y) * field.width + x;
      field.distance[at] = static_cast<float>(inside ? -d : std::min(d, reach));
      field.letter[at] = letter;
    }
  }
  return field;
}

double SampleDistance(const DistanceField& field, Vec2 p) {
  const double fx = p.x * field.unitsPerPixel + field.pad - 0.5,
               fy = p.y * field.unitsPerPixel + field.pad - 0.5;
  const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
  if (x0 < 0 || y0 < 0 || x0 + 1 >= field.width || y0 + 1 >= field.height)
    return 1e9;
  const double tx = fx - x0, ty = fy - y0;
  auto at = [&](int x, int y) {
    return static_cast<double>(field.distance[static_cast<std::size_t>(y) * field.width + x]);
  };
  return Lerp(Lerp(at(x0, y0), at(x0 + 1, y0), tx), Lerp(at(x0, y0 + 1), at(x0 + 1, y0 + 1), tx), ty);
}

int LetterAt(const DistanceField& field, Vec2 p) {
  const int x = static_cast<int>(std::floor(p.x * field.unitsPerPixel + field.pad));
  const int y = static_cast<int>(std::floor(p.y * field.unitsPerPixel + field.pad));
  if (x < 0 || y < 0 || x >= field.width || y >= field.height)
    return -1;
  return field.letter[static_cast<std::size_t>(y) * field.width + x];
}

}  // namespace assetgen
