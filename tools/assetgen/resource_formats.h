// Byte layouts of the picture resources: 8-bit BMP files, runs of them, placement records and the
// palette bitmap.
#pragma once
#include <vector>

#include "byte_writer.h"
#include "sprite_frame.h"

namespace assetgen {

constexpr int kActionPelsPerMeter = 2835;

// A complete 8-bit BMP file of the picture with the saver's colour table.
Bytes EncodeBmp(const IndexImage& image, int pelsPerMeter);

// The frames' BMP files, back to back.
Bytes EncodeFrameRun(const std::vector<SpriteFrame>& frames, int pelsPerMeter);

// One 16-byte record per frame (left edge, bottom edge) and a zero trailer.
Bytes EncodePlacements(const std::vector<SpriteFrame>& frames);

// The palette carrier: a 108 x 18 swatch of all 256 colours.
Bytes EncodePaletteBitmap();

}  // namespace assetgen
