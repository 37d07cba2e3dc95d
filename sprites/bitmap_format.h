// The layout of the 8-bit BMP files that the picture resources hold: a 14-byte file header, a
// 40-byte information header, the colour table right after it, then the rows, bottom row first,
// each padded to a multiple of 4 bytes. Plain numbers, so that tools and tests share them too.
#pragma once
#include <cstddef>
#include <cstdint>

const size_t kBitmapFileHeaderSize = 14;
const size_t kBitmapInfoHeaderSize = 40;
const size_t kBitmapColourEntries = 256;
const size_t kBitmapColourEntrySize = 4;
// The colour table and the pixels of a file that holds a full table, from the file's first byte.
const size_t kBitmapColourTableOffset = kBitmapFileHeaderSize + kBitmapInfoHeaderSize;
const size_t kIndexedPixelOffset = kBitmapColourTableOffset + kBitmapColourEntries * kBitmapColourEntrySize;

// Fields, as offsets from the file's first byte.
const size_t kBitmapFileSizeField = 2;
const size_t kBitmapPixelOffsetField = 10;
const size_t kBitmapInfoSizeField = 14;
const size_t kBitmapWidthField = 18;
const size_t kBitmapHeightField = 22;
const size_t kBitmapPlanesField = 26;
const size_t kBitmapBitCountField = 28;
const size_t kBitmapCompressionField = 30;
const size_t kBitmapImageSizeField = 34;
const size_t kBitmapXPelsField = 38;
const size_t kBitmapYPelsField = 42;
const size_t kBitmapColoursUsedField = 46;
const size_t kBitmapColoursImportantField = 50;

// The bytes of one row of an 8-bit bitmap `width` pixels wide.
constexpr int64_t IndexedRowStride(int64_t width) {
  return (width + 3) & ~int64_t{3};
}

// The colour table starts right after the 40-byte information header, whatever its biSize says.
template <typename Entry>
const Entry* ColourTableAfter(const void* infoHeader) {
  return reinterpret_cast<const Entry*>(static_cast<const unsigned char*>(infoHeader) +
                                        kBitmapInfoHeaderSize);
}
