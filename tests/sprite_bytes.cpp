#include "tests/sprite_bytes.h"

#include <cstring>

void Put32(Bytes* bytes, size_t at, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    (*bytes)[at + shift / 8] = static_cast<BYTE>(value >> shift);
}

Bytes BitmapFile(int width, int height, BYTE fill) {
  const uint32_t stride = (width + 3) / 4 * 4;
  Bytes file(1078 + stride * height, 0);
  file[0] = 'B';
  file[1] = 'M';
  Put32(&file, 2, static_cast<uint32_t>(file.size()));
  Put32(&file, 10, 1078);
  Put32(&file, 14, 40);
  Put32(&file, 18, width);
  Put32(&file, 22, height);
  file[26] = 1;
  file[28] = 8;
  Put32(&file, 34, stride * height);
  Put32(&file, 46, 256);
  Put32(&file, 50, 256);
  for (int y = 0; y < height; ++y)
    std::memset(&file[1078 + y * stride], fill, width);
  return file;
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
