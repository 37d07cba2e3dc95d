#include "canvas.h"

namespace assetgen {

Canvas MakeCanvas(int width, int height, int samples) {
  Canvas canvas;
  canvas.width = width;
  canvas.height = height;
  canvas.samples = samples;
  const std::size_t count = static_cast<std::size_t>(width) * height * samples * samples;
  canvas.r.assign(count, 0.0f);
  canvas.g.assign(count, 0.0f);
  canvas.b.assign(count, 0.0f);
  canvas.a.assign(count, 0.0f);
  canvas.touchedX0 = width * samples;
  canvas.touchedY0 = height * samples;
  return canvas;
}

IndexImage Quantise(const Canvas& canvas) {
  constexpr double kMinCoverage = 0.28;
  IndexImage image;
  image.width = canvas.width;
  image.height = canvas.height;
  image.pixels.assign(static_cast<std::size_t>(canvas.width) * canvas.height, kTransparentIndex);
  const int n = canvas.samples;
  const int sw = canvas.width * n;
  const double weight = 1.0 / (n * n);
  for (int y = canvas.touchedY0 / n; y < (canvas.touchedY1 + n - 1) / n; ++y) {
    for (int x = canvas.touchedX0 / n; x < (canvas.touchedX1 + n - 1) / n; ++x) {
      Rgb sum;
      double alpha = 0.0;
      for (int sy = 0; sy < n; ++sy) {
        for (int sx = 0; sx < n; ++sx) {
          const std::size_t i = static_cast<std::size_t>(y * n + sy) * sw + (x * n + sx);
          sum = sum + Rgb{canvas.r[i], canvas.g[i], canvas.b[i]};
          alpha += canvas.a[i];
        }
      }
      if (alpha * weight < kMinCoverage)
        continue;
      image.pixels[static_cast<std::size_t>(y) * canvas.width + x] =
          static_cast<std::uint8_t>(NearestIndex(sum * weight));
    }
  }
  return image;
}

}  // namespace assetgen
