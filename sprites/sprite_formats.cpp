#include "sprites/sprite_formats.h"

#include <climits>
#include <cstdint>

namespace {

const WORD kIndexedBitCount = 8;
// Pixels start after both headers and a full colour table, so any index has its colour in the file.
const uint64_t kLowestPixelOffset = kIndexedPixelOffset;
const size_t kPlacementTrailerSize = 4;

// Whether the BMP file at `file` is one the frames can point into, given the bytes left after it.
// Every quantity is a 32-bit field widened to 64 bits, so no sum or product below can overflow.
bool IsUsableBitmapFile(const BYTE* file, size_t remaining) {
  if (remaining < kBitmapColourTableOffset)
    return false;
  const uint64_t fileSize = ReadU32(file + kBitmapFileSizeField);
  const uint64_t pixelOffset = ReadU32(file + kBitmapPixelOffsetField);
  const int32_t width = static_cast<int32_t>(ReadU32(file + kBitmapWidthField));
  const int32_t height = static_cast<int32_t>(ReadU32(file + kBitmapHeightField));
  if (fileSize > remaining || ReadU32(file + kBitmapInfoSizeField) != kBitmapInfoHeaderSize ||
      ReadU16(file + kBitmapBitCountField) != kIndexedBitCount ||
      ReadU32(file + kBitmapCompressionField) != BI_RGB ||
      ReadU32(file + kBitmapColoursUsedField) > kBitmapColourEntries) {
    return false;
  }
  if (width <= 0 || height <= 0 || pixelOffset < kLowestPixelOffset)
    return false;
  const uint64_t stride = static_cast<uint64_t>(IndexedRowStride(width));
  return pixelOffset + stride * static_cast<uint64_t>(height) <= fileSize;
}

}  // namespace

DWORD ReadU32(const BYTE* at) {
  return static_cast<DWORD>(at[0]) | static_cast<DWORD>(at[1]) << 8 | static_cast<DWORD>(at[2]) << 16 |
         static_cast<DWORD>(at[3]) << 24;
}

WORD ReadU16(const BYTE* at) {
  return static_cast<WORD>(at[0] | at[1] << 8);
}

int ReadS16(const BYTE* at) {
  return static_cast<int16_t>(ReadU16(at));
}

int CountBitmapFiles(const BYTE* bytes, size_t size) {
  if (!bytes)
    return 0;
  int count = 0;
  size_t offset = 0;
  while (offset < size) {
    // A usable file is longer than its headers and colour table, so every step moves forward.
    if (!IsUsableBitmapFile(bytes + offset, size - offset) || count == INT_MAX)
      return 0;
    offset += ReadU32(bytes + offset + kBitmapFileSizeField);
    ++count;
  }
  return count;
}

int CountPlacementRecords(size_t size) {
  if (size < kPlacementRecordSize + kPlacementTrailerSize ||
      (size - kPlacementTrailerSize) % kPlacementRecordSize != 0 ||
      (size - kPlacementTrailerSize) / kPlacementRecordSize > INT_MAX) {
    return 0;
  }
  return static_cast<int>((size - kPlacementTrailerSize) / kPlacementRecordSize);
}
