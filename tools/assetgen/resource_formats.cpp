#include "resource_formats.h"

namespace assetgen {
namespace {

constexpr std::uint32_t kHeaderBytes = 14 + 40 + 256 * 4;

int Stride(int width) {
  return (width + 3) & ~3;
}

}  // namespace

Bytes EncodeBmp(const IndexImage& image, int pelsPerMeter) {
  const std::uint32_t imageBytes = static_cast<std::uint32_t>(Stride(image.width) * image.height);
  Bytes out;
  out.reserve(kHeaderBytes + imageBytes);
  PutU8(out, 'B');
  PutU8(out, 'M');
  PutU32(out, kHeaderBytes + imageBytes);
  PutU32(out, 0);
  PutU32(out, kHeaderBytes);
  PutU32(out, 40);
  PutU32(out, static_cast<std::uint32_t>(image.width));
  PutU32(out, static_cast<std::uint32_t>(image.height));
  PutU16(out, 1);
  PutU16(out, 8);
  PutU32(out, 0);
  PutU32(out, imageBytes);
  PutU32(out, static_cast<std::uint32_t>(pelsPerMeter));
  PutU32(out, static_cast<std::uint32_t>(pelsPerMeter));
  PutU32(out, 256);
  PutU32(out, 256);
  for (const PaletteEntry& entry : SaverPalette()) {
    PutU8(out, entry.b);
    PutU8(out, entry.g);
    PutU8(out, entry.r);
    PutU8(out, 0);
  }
  for (int y = image.height - 1; y >= 0; --y) {
    const auto row = image.pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.width;
    out.insert(out.end(), row, row + image.width);
    PutZeros(out, static_cast<std::size_t>(Stride(image.width) - image.width));
  }
  return out;
}

Bytes EncodeFrameRun(const std::vector<SpriteFrame>& frames, int pelsPerMeter) {
  Bytes out;
  for (const SpriteFrame& frame : frames)
    Append(out, EncodeBmp(frame.image, pelsPerMeter));
  return out;
}

Bytes EncodePlacements(const std::vector<SpriteFrame>& frames) {
  Bytes out;
  for (const SpriteFrame& frame : frames) {
    PutU32(out, 0);
    PutI16(out, frame.x);
    PutI16(out, frame.bottom);
    PutZeros(out, 8);
  }
  PutU32(out, 0);
  return out;
}

Bytes EncodePaletteBitmap() {
  IndexImage swatch;
  swatch.width = 108;
  swatch.height = 18;
  const int count = swatch.width * swatch.height;
  for (int i = 0; i < count; ++i)
    swatch.pixels.push_back(static_cast<std::uint8_t>(i * 256 / count));
  return EncodeBmp(swatch, 0);
}

}  // namespace assetgen
