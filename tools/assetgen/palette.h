// The saver's 256-colour palette: white, two blacks, the other colours that an 8-bit Windows display
// reserves, then ramps that rise from black to each colour of the art so that edges anti-aliased
// against the black screen stay on their own hue.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace assetgen {

struct Rgb {
  double r = 0, g = 0, b = 0;
};

inline Rgb operator*(Rgb c, double s) {
  return {c.r * s, c.g * s, c.b * s};
}
inline Rgb operator+(Rgb a, Rgb b) {
  return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Rgb Mix(Rgb a, Rgb b, double t) {
  return a * (1.0 - t) + b * t;
}

enum class Ramp { kFur, kCream, kPink, kRed, kYellow, kSky, kViolet, kGreen, kInk, kGrey, kCount };

struct PaletteEntry {
  std::uint8_t r = 0, g = 0, b = 0;
};

using Palette = std::array<PaletteEntry, 256>;

constexpr int kTransparentIndex = 1;
constexpr int kOpaqueBlackIndex = 2;

// The palette that every picture of the saver carries.
const Palette& SaverPalette();

// Colour of a ramp at a level: 0 is black, 1 the ramp's full colour, above 1 up to its light tint.
Rgb RampColour(Ramp ramp, double level);

// Palette index whose colour is closest to c, never the transparent index.
int NearestIndex(const Rgb& c);

}  // namespace assetgen
