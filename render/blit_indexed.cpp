// Kernels for the 8-bit frame buffer, whose colour table is the main palette: indices are copied as
// they are and the frame's colour table is never read.
#include "render/blit.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr uint64_t kEveryByte = 0x0101010101010101u;
constexpr uint64_t kLowSevenBits = 0x7F7F7F7F7F7F7F7Fu;

// Eight source indices in drawing order, the first in the low byte (every target is little-endian).
// Reading right to left takes the eight bytes that end at source and reverses them.
template <int kDirection>
uint64_t LoadIndices(const BYTE* source) {
  uint64_t indices;
  if (kDirection > 0) {
    std::memcpy(&indices, source, sizeof indices);
    return indices;
  }
  std::memcpy(&indices, source - 7, sizeof indices);
  return __builtin_bswap64(indices);
}

// 0xFF in each byte of indices that equals the key, 0 in the others. Exact per byte: no carry
// crosses from one byte into the next.
uint64_t KeyBytes(uint64_t indices, uint64_t keys) {
  const uint64_t difference = indices ^ keys;
  const uint64_t nonZero = ((difference & kLowSevenBits) + kLowSevenBits) | difference;
  return (~nonZero >> 7 & kEveryByte) * 0xFF;
}

// Eight pixels at a time, blended without a branch: transparent bytes are rewritten with the value
// they already hold, as keyed frames follow no pattern a branch predictor could learn.
template <int kDirection>
void KeyedIndexRows(BYTE* destination, LONG width, LONG rows, const BYTE* source, DWORD key,
                    LONG destinationStep, LONG sourceStep) {
  if (width <= 0 || rows <= 0) {
    return;
  }
  const BYTE keyIndex = static_cast<BYTE>(key);
  const uint64_t keys = kEveryByte * keyIndex;
  for (LONG row = 0; row < rows; ++row) {
    LONG left = width;
    for (; left >= 8; left -= 8) {
      const uint64_t indices = LoadIndices<kDirection>(source);
      const uint64_t keep = KeyBytes(indices, keys);
      uint64_t old;
      std::memcpy(&old, destination, sizeof old);
      const uint64_t blended = (indices & ~keep) | (old & keep);
      std::memcpy(destination, &blended, sizeof blended);
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
