#include "bitmap_file/bitmap_file.h"

#include <cstring>

#include "sprites/bitmap_format.h"

namespace {

const uint32_t kIndexedBitCount = 8;

void Put(std::vector<uint8_t>* file, size_t at, uint32_t value, int bytes) {
  for (int k = 0; k < bytes; ++k)
    (*file)[at + k] = static_cast<uint8_t>(value >> (8 * k));
}

}  // namespace

std::vector<uint8_t> IndexedBitmapFile(int width, int height, const uint8_t* colourTable,
                                       const uint8_t* pixels, int pelsPerMeter) {
  const size_t stride = static_cast<size_t>(IndexedRowStride(width));
  const uint32_t imageBytes = static_cast<uint32_t>(stride * height);
  std::vector<uint8_t> file(kIndexedPixelOffset + imageBytes, 0);
  file[0] = 'B';
  file[1] = 'M';
  Put(&file, kBitmapFileSizeField, static_cast<uint32_t>(file.size()), 4);
  Put(&file, kBitmapPixelOffsetField, kIndexedPixelOffset, 4);
  Put(&file, kBitmapInfoSizeField, kBitmapInfoHeaderSize, 4);
  Put(&file, kBitmapWidthField, static_cast<uint32_t>(width), 4);
  Put(&file, kBitmapHeightField, static_cast<uint32_t>(height), 4);
  Put(&file, kBitmapPlanesField, 1, 2);
  Put(&file, kBitmapBitCountField, kIndexedBitCount, 2);
  Put(&file, kBitmapImageSizeField, imageBytes, 4);
  Put(&file, kBitmapXPelsField, static_cast<uint32_t>(pelsPerMeter), 4);
  Put(&file, kBitmapYPelsField, static_cast<uint32_t>(pelsPerMeter), 4);
  Put(&file, kBitmapColoursUsedField, kBitmapColourEntries, 4);
  Put(&file, kBitmapColoursImportantField, kBitmapColourEntries, 4);
  if (colourTable)
    std::memcpy(&file[kBitmapColourTableOffset], colourTable, kBitmapColourEntries * kBitmapColourEntrySize);
  for (int y = 0; y < height; ++y) {
    std::memcpy(&file[kIndexedPixelOffset + static_cast<size_t>(height - 1 - y) * stride],
                pixels + static_cast<size_t>(y) * width, static_cast<size_t>(width));
  }
  return file;
}
