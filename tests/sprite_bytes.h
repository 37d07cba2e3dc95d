// Sprite resources made up byte by byte: 8-bit BMP files as the scene stores them, and placement
// records with their trailer.
#pragma once
#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

using Bytes = std::vector<BYTE>;

void Put32(Bytes* bytes, size_t at, uint32_t value);
// One 8-bit BMP file as the scene stores them; every pixel holds `fill`, the row padding 0.
Bytes BitmapFile(int width, int height, BYTE fill);
Bytes Concatenate(const std::vector<Bytes>& parts);
// N 16-byte records with the given 16-bit x and y fields, then the 4-byte trailer.
Bytes PlacementData(const std::vector<std::pair<uint16_t, uint16_t>>& offsets);
