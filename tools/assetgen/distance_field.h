// Signed distance field of a text mask, so lettering can be drawn like any other shape.
#pragma once
#include <vector>

#include "geometry.h"
#include "text.h"

namespace assetgen {

struct DistanceField {
  int width = 0;
  int height = 0;
  int pad = 0;                  // mask pixels of border around the mask
  double unitsPerPixel = 1.0;   // mask pixels per painter unit
  std::vector<float> distance;  // in painter units, negative inside
  std::vector<int> letter;      // letter of the nearest inside pixel
};

// `unitsPerPixel` mask pixels make one unit; distances are searched up to `reach` units.
DistanceField MakeDistanceField(const TextMask& mask, double unitsPerPixel, double reach);

// Distance at a point in units (origin at the mask's top-left); far outside beyond the mask.
double SampleDistance(const DistanceField& field, Vec2 p);
int LetterAt(const DistanceField& field, Vec2 p);

}  // namespace assetgen
