#include "render/scaled_rows.h"

#include <cstdint>
#include <cstring>

namespace {

// One pixel's copies for a factor the compiler knows, so that it unrolls and vectorises the row:
// a scaled tick spends most of its time here.
template <int kFactor>
void WidenRow32By(const BYTE* source, BYTE* target, LONG width) {
  for (LONG x = 0; x < width; ++x, target += 4 * kFactor) {
    uint32_t pixel;
    std::memcpy(&pixel, source + x * 4, 4);
    for (int k = 0; k < kFactor; ++k)
      std::memcpy(target + 4 * k, &pixel, 4);
  }
}

void WidenRow32(const BYTE* source, BYTE* target, LONG width, int factor) {
  switch (factor) {
    case 2:
      WidenRow32By<2>(source, target, width);
      return;
    case 3:
      WidenRow32By<3>(source, target, width);
      return;
    case 4:
      WidenRow32By<4>(source, target, width);
      return;
    default:
      break;
  }
  for (LONG x = 0; x < width; ++x) {
    uint32_t pixel;
    std::memcpy(&pixel, source + x * 4, 4);
    for (int k = 0; k < factor; ++k, target += 4)
      std::memcpy(target, &pixel, 4);
  }
}

void WidenRow(const BYTE* source, BYTE* target, LONG width, LONG bytesPerPixel, int factor) {
  for (LONG x = 0; x < width; ++x, source += bytesPerPixel) {
    for (int k = 0; k < factor; ++k, target += bytesPerPixel)
      std::memcpy(target, source, static_cast<size_t>(bytesPerPixel));
  }
}

}  // namespace

void ScaleRows(const BYTE* source, LONG sourceStride, BYTE* target, LONG targetStride, LONG width, LONG rows,
               LONG bytesPerPixel, int factor) {
  const size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(bytesPerPixel) * factor;
  for (LONG y = 0; y < rows; ++y, source += sourceStride) {
    BYTE* first = target;
    if (bytesPerPixel == 4)
      WidenRow32(source, first, width, factor);
    else
      WidenRow(source, first, width, bytesPerPixel, factor);
    target += targetStride;
    for (int k = 1; k < factor; ++k, target += targetStride)
      std::memcpy(target, first, rowBytes);
  }
}
