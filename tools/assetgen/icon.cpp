#include "icon.h"

#include <cmath>

#include "creature.h"

namespace assetgen {
namespace {

// One icon image: 32-bit colour with alpha, bottom-up, followed by the 1-bit transparency mask.
Bytes IconImage(int size) {
  Canvas canvas = MakeCanvas(size, size, 4);
  DrawCreatureFace(Painter{&canvas, {}}, size);
  Bytes out;
  const int maskStride = ((size + 31) / 32) * 4;
  PutU32(out, 40);
  PutU32(out, static_cast<std::uint32_t>(size));
  PutU32(out, static_cast<std::uint32_t>(size * 2));
  PutU16(out, 1);
  PutU16(out, 32);
  PutU32(out, 0);
  PutU32(out, static_cast<std::uint32_t>(size * size * 4 + maskStride * size));
  PutZeros(out, 16);
  Bytes mask;
  for (int y = size - 1; y >= 0; --y) {
    Bytes maskRow(static_cast<std::size_t>(maskStride), 0);
    for (int x = 0; x < size; ++x) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
          const std::size_t i = static_cast<std::size_t>(y * 4 + sy) * size * 4 + (x * 4 + sx);
          r += canvas.r[i];
          g += canvas.g[i];
          b += canvas.b[i];
          a += canvas.a[i];
        }
      }
      const double unpremultiply = a > 0 ? 1.0 / a : 0.0;
      auto channel = [&](double v) {
        return static_cast<std::uint32_t>(std::lround(std::fmin(255.0, v * unpremultiply)));
      };
      PutU8(out, channel(b));
      PutU8(out, channel(g));
      PutU8(out, channel(r));
      PutU8(out, static_cast<std::uint32_t>(std::lround(a / 16.0 * 255.0)));
      if (a / 16.0 < 0.5)
        maskRow[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    Append(mask, maskRow);
  }
  Append(out, mask);
  return out;
}

}  // namespace

Bytes MakeIcon() {
  const int kSizes[3] = {16, 32, 48};
  Bytes images[3];
  Bytes out;
  PutU16(out, 0);
  PutU16(out, 1);
  PutU16(out, 3);
  std::uint32_t offset = 6 + 16 * 3;
  for (int i = 0; i < 3; ++i) {
    images[i] = IconImage(kSizes[i]);
    PutU8(out, static_cast<std::uint32_t>(kSizes[i]));
    PutU8(out, static_cast<std::uint32_t>(kSizes[i]));
    PutU8(out, 0);
    PutU8(out, 0);
    PutU16(out, 1);
    PutU16(out, 32);
    PutU32(out, static_cast<std::uint32_t>(images[i].size()));
    PutU32(out, offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const Bytes& image : images)
    Append(out, image);
  return out;
}

}  // namespace assetgen
