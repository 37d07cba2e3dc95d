#include "resource_formats.h"

#include "bitmap_file/bitmap_file.h"

namespace assetgen {

Bytes EncodeBmp(const IndexImage& image, int pelsPerMeter) {
  Bytes colourTable;
  for (const PaletteEntry& entry : SaverPalette()) {
    PutU8(colourTable, entry.b);
    PutU8(colourTable, entry.g);
    PutU8(colourTable, entry.r);
    PutU8(colourTable, 0);
  }
  return IndexedBitmapFile(image.width, image.height, colourTable.data(), image.pixels.data(), pelsPerMeter);
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
