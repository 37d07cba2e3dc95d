// Kernels for the 8-bit frame buffer, whose colour table is the main palette: indices are copied as
// they are and the frame's colour table is never read.
#include "render/blit.h"
#include "render/blit_rows.h"

#include <cstdint>
#include <cstring>

namespace {

template <int kDirection>
void KeyedIndexRows(BYTE* destination, LONG width, LONG rows, const BYTE* source, DWORD key,
                    LONG destinationStep, LONG sourceStep) {
  if (width <= 0 || rows <= 0) {
    return;
  }
  const uint64_t keys = blit::RepeatKey(key);
  const BYTE keyIndex = static_cast<BYTE>(keys);
  for (LONG row = 0; row < rows; ++row) {
    LONG left = width;
    for (; left >= 8; left -= 8) {
      uint64_t indices = blit::LoadIndices<kDirection>(source);
      const uint64_t keyed = blit::KeyBytes(indices, keys);
      if (keyed != blit::kHighBits) {
        if (keyed != 0) {
          uint64_t kept;
          std::memcpy(&kept, destination, sizeof kept);
          const uint64_t keepMask = (keyed >> 7) * 0xFF;
          indices = (indices & ~keepMask) | (kept & keepMask);
        }
        std::memcpy(destination, &indices, sizeof indices);
      }
      destination += 8;
      source += 8 * kDirection;
    }
    for (; left > 0; --left) {
      if (*source != keyIndex) {
        *destination = *source;
      }
      ++destination;
      source += kDirection;
    }
    destination += destinationStep;
    source += sourceStep;
  }
}

}  // namespace

void BlitKeyed8(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD*, DWORD key,
                LONG destinationStep, LONG sourceStep) {
  KeyedIndexRows<1>(destination, width, rows, source, key, destinationStep, sourceStep);
}

void BlitKeyedMirrored8(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD*,
                        DWORD key, LONG destinationStep, LONG sourceStep) {
  KeyedIndexRows<-1>(destination, width, rows, source, key, destinationStep, sourceStep);
}

void BlitOpaque8(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD*,
                 LONG destinationStep, LONG sourceStep) {
  if (width <= 0 || rows <= 0) {
    return;
  }
  for (LONG row = 0; row < rows; ++row) {
    std::memcpy(destination, source, static_cast<size_t>(width));
    destination += width + destinationStep;
    source += width + sourceStep;
  }
}
