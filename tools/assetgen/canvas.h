// Supersampled drawing surface: shapes given by signed distance functions are composited with
// coverage-based edges, then the surface is reduced to palette indices.
#pragma once
#include <cstdint>
#include <vector>

#include "geometry.h"
#include "palette.h"

namespace assetgen {

// Premultiplied colour and coverage of every sample.
struct Canvas {
  int width = 0;    // in target pixels
  int height = 0;   // in target pixels
  int samples = 1;  // samples per target pixel along each axis
  std::vector<float> r, g, b, a;
  // Sample rows and columns that any shape has reached, so quantising can skip the rest.
  int touchedX0 = 0, touchedY0 = 0, touchedX1 = 0, touchedY1 = 0;
};

Canvas MakeCanvas(int width, int height, int samples);

// Draws shapes in a local frame that `toTarget` maps onto the canvas (in target pixels).
struct Painter {
  Canvas* canvas = nullptr;
  Affine toTarget;
};

inline Painter Transformed(const Painter& p, const Affine& localToParent) {
  return {p.canvas, Compose(p.toTarget, localToParent)};
}

// Composites a shape: sdf(local point) is the signed distance in local units, shade(local point)
// its colour; `bounds` (local) must enclose the shape.
template <class Sdf, class Shade>
void FillShaded(const Painter& painter, const Box& bounds, Sdf sdf, Shade shade, double opacity = 1.0) {
  Canvas& canvas = *painter.canvas;
  const int n = canvas.samples;
  const Affine toSample = Compose(Scaling(n, n), painter.toTarget);
  const Affine toLocal = Inverse(toSample);
  const double sampleScale = LinearScale(toSample);
  const Box box = MapBox(toSample, Grow(bounds, 1.0 / LinearScale(painter.toTarget)));
  const int sw = canvas.width * n, sh = canvas.height * n;
  const int x0 = std::max(0, static_cast<int>(std::floor(box.x0)));
  const int y0 = std::max(0, static_cast<int>(std::floor(box.y0)));
  const int x1 = std::min(sw, static_cast<int>(std::ceil(box.x1)) + 1);
  const int y1 = std::min(sh, static_cast<int>(std::ceil(box.y1)) + 1);
  if (x0 >= x1 || y0 >= y1)
    return;
  canvas.touchedX0 = std::min(canvas.touchedX0, x0);
  canvas.touchedY0 = std::min(canvas.touchedY0, y0);
  canvas.touchedX1 = std::max(canvas.touchedX1, x1);
  canvas.touchedY1 = std::max(canvas.touchedY1, y1);
  const double pixelScale = sampleScale / n;
  // The distance at a pixel's centre tells whether all its samples lie clearly outside or inside,
  // so only pixels near an edge pay for one distance per sample.
  for (int py = y0 / n; py < (y1 + n - 1) / n; ++py) {
    for (int px = x0 / n; px < (x1 + n - 1) / n; ++px) {
      const double centre = sdf(Apply(toLocal, {(px + 0.5) * n, (py + 0.5) * n})) * pixelScale;
      if (centre > 1.0)
        continue;
      const bool inside = centre < -1.0;
      for (int y = std::max(y0, py * n); y < std::min(y1, py * n + n); ++y) {
        for (int x = std::max(x0, px * n); x < std::min(x1, px * n + n); ++x) {
          const Vec2 local = Apply(toLocal, {x + 0.5, y + 0.5});
          const double coverage = (inside ? 1.0 : Clamp01(0.5 - sdf(local) * sampleScale)) * opacity;
          if (coverage <= 0.0)
            continue;
          const Rgb c = shade(local);
          const std::size_t i = static_cast<std::size_t>(y) * sw + x;
          const float keep = static_cast<float>(1.0 - coverage);
          canvas.r[i] = static_cast<float>(c.r * coverage) + canvas.r[i] * keep;
          canvas.g[i] = static_cast<float>(c.g * coverage) + canvas.g[i] * keep;
          canvas.b[i] = static_cast<float>(c.b * coverage) + canvas.b[i] * keep;
          canvas.a[i] = static_cast<float>(coverage) + canvas.a[i] * keep;
        }
      }
    }
  }
}

template <class Sdf>
void Fill(const Painter& painter, const Box& bounds, Sdf sdf, Rgb colour, double opacity = 1.0) {
  FillShaded(
      painter, bounds, sdf, [&](Vec2) { return colour; }, opacity);
}

// Shape with a rim of `width` local units in `rim` colour around its fill.
template <class Sdf>
void FillOutlined(const Painter& painter, const Box& bounds, Sdf sdf, Rgb fill, Rgb rim, double width) {
  Fill(
      painter, Grow(bounds, width), [&](Vec2 p) { return sdf(p) - width; }, rim);
  Fill(painter, bounds, sdf, fill);
}

// Target-resolution picture: one palette index per pixel, rows top-down.
struct IndexImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
};

// Averages the samples of each pixel and maps it to the palette; weakly covered pixels become
// the transparent index.
IndexImage Quantise(const Canvas& canvas);

}  // namespace assetgen
