#include "tests/sprite_bytes.h"

#include "bitmap_file/bitmap_file.h"

void Put32(Bytes* bytes, size_t at, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    (*bytes)[at + shift / 8] = static_cast<BYTE>(value >> shift);
}

Bytes BitmapFile(int width, int height, BYTE fill) {
  return IndexedBitmapFile(width, height, nullptr, Bytes(static_cast<size_t>(width) * height, fill).data());
}

Bytes Concatenate(const std::vector<Bytes>& parts) {
  Bytes all;
  for (const Bytes& part : parts)
    all.insert(all.end(), part.begin(), part.end());
  return all;
}

Bytes PlacementData(const std::vector<std::pair<uint16_t, uint16_t>>& offsets) {
  Bytes data(16 * offsets.size() + 4, 0);
  for (size_t k = 0; k < offsets.size(); ++k) {
    data[16 * k + 4] = static_cast<BYTE>(offsets[k].first);
    data[16 * k + 5] = static_cast<BYTE>(offsets[k].first >> 8);
    data[16 * k + 6] = static_cast<BYTE>(offsets[k].second);
    data[16 * k + 7] = static_cast<BYTE>(offsets[k].second >> 8);
  }
  return data;
}
