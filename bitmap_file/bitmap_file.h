// 8-bit BMP files made up as the picture resources hold them, for the asset generator and for the
// tests' own frames.
#pragma once
#include <cstdint>
#include <vector>

// A complete file with a full colour table of 4-byte entries (blue, green, red, 0), all zero when
// colourTable is null, and `pixels` (width x height indices, top row first) stored bottom row first
// with zero padding.
std::vector<uint8_t> IndexedBitmapFile(int width, int height, const uint8_t* colourTable,
                                       const uint8_t* pixels, int pelsPerMeter = 0);
