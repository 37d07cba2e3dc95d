#include "palette.h"

#include <algorithm>
#include <cmath>

namespace assetgen {
namespace {

struct RampRecipe {
  Rgb full;
  Rgb tint;  // colour reached past full, for highlights
  int darkSteps;
  int tintSteps;
};

// Order follows enum Ramp.
const RampRecipe kRamps[] = {
    {{255, 150, 46}, {255, 222, 160}, 32, 8},   // fur
    {{255, 238, 206}, {255, 250, 238}, 20, 2},  // cream
    {{255, 112, 160}, {255, 200, 222}, 22, 4},  // pink
    {{226, 34, 58}, {226, 34, 58}, 20, 0},      // red
    {{255, 222, 40}, {255, 250, 190}, 22, 4},   // yellow
    {{70, 176, 255}, {200, 236, 255}, 22, 4},   // sky
    {{168, 104, 255}, {168, 104, 255}, 20, 0},  // violet
    {{80, 222, 110}, {80, 222, 110}, 22, 0},    // green
    {{64, 44, 96}, {64, 44, 96}, 8, 0},         // ink
    {{255, 255, 255}, {255, 255, 255}, 25, 0},  // grey up to white
};

// An 8-bit Windows display keeps these 20 colours for itself (black and white among them) and gives a
// foreground palette the other 236 entries. The palette holds them so that every one of its colours
// shows exactly there: its own colours then number at most 236.
const PaletteEntry kStaticColours[] = {
    {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},     {128, 0, 128},   {0, 128, 128},
    {192, 192, 192}, {192, 220, 192}, {166, 202, 240}, {255, 251, 240}, {160, 160, 164}, {128, 128, 128},
    {255, 0, 0},     {0, 255, 0},     {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},
};

struct Built {
  Palette palette{};
  int rampStart[static_cast<int>(Ramp::kCount)] = {};
};

Built BuildPalette() {
  Built built;
  built.palette[0] = {255, 255, 255};
  built.palette[1] = {0, 0, 0};
  built.palette[2] = {0, 0, 0};
  int next = 3;
  for (const PaletteEntry& colour : kStaticColours)
    built.palette[next++] = colour;
  for (int ramp = 0; ramp < static_cast<int>(Ramp::kCount); ++ramp) {
    const RampRecipe& recipe = kRamps[ramp];
    built.rampStart[ramp] = next;
    for (int k = 1; k <= recipe.darkSteps + recipe.tintSteps; ++k) {
      const Rgb c = k <= recipe.darkSteps ? recipe.full * (static_cast<double>(k) / recipe.darkSteps)
                                          : Mix(recipe.full, recipe.tint,
                                                static_cast<double>(k - recipe.darkSteps) / recipe.tintSteps);
      built.palette[next++] = {static_cast<std::uint8_t>(std::lround(c.r)),
                               static_cast<std::uint8_t>(std::lround(c.g)),
                               static_cast<std::uint8_t>(std::lround(c.b))};
    }
  }
  return built;
}

const Built& Instance() {
  static const Built kBuilt = BuildPalette();
  return kBuilt;
}

double Distance2(const PaletteEntry& e, int r, int g, int b) {
  // Weighted so that errors in green, which the eye sees best, count most.
  const double mean = (e.r + r) * 0.5;
  const double dr = e.r - r, dg = e.g - g, db = e.b - b;
  return (2.0 + mean / 256.0) * dr * dr + 4.0 * dg * dg + (2.0 + (255.0 - mean) / 256.0) * db * db;
}

}  // namespace

const Palette& SaverPalette() {
  return Instance().palette;
}

Rgb RampColour(Ramp ramp, double level) {
  const RampRecipe& recipe = kRamps[static_cast<int>(ramp)];
  if (level <= 1.0)
    return recipe.full * std::max(level, 0.0);
  return Mix(recipe.full, recipe.tint, std::min(level - 1.0, 1.0));
}

int NearestIndex(const Rgb& c) {
  static std::vector<std::int16_t> cache(1 << 24, -1);
  const int r = std::clamp(static_cast<int>(std::lround(c.r)), 0, 255);
  const int g = std::clamp(static_cast<int>(std::lround(c.g)), 0, 255);
  const int b = std::clamp(static_cast<int>(std::lround(c.b)), 0, 255);
  std::int16_t& slot = cache[(r << 16) | (g << 8) | b];
  if (slot < 0) {
    const Palette& palette = SaverPalette();
    int best = kOpaqueBlackIndex;
    double bestDistance = Distance2(palette[best], r, g, b);
    for (int i = 0; i < 256; ++i) {
      if (i == kTransparentIndex)
        continue;
      const double d = Distance2(palette[i], r, g, b);
      if (d < bestDistance) {
        best = i;
        bestDistance = d;
      }
    }
    slot = static_cast<std::int16_t>(best);
  }
  return slot;
}

}  // namespace assetgen
