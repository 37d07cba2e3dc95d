// Row loops shared by the blit kernels of the direct-colour depths. The frame's colour table is
// converted once per call into ready destination values; source indices are taken eight at a time so
// that runs which are wholly transparent or wholly opaque cost one test.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstring>

namespace blit {

constexpr uint64_t kEveryByte = 0x0101010101010101u;
constexpr uint64_t kHighBits = 0x8080808080808080u;
constexpr uint64_t kLowSevenBits = 0x7F7F7F7F7F7F7F7Fu;

// Eight source indices in drawing order, the first in the low byte. Reading right to left takes the
// eight bytes that end at source and reverses them.
template <int kDirection>
inline uint64_t LoadIndices(const BYTE* source) {
  uint64_t indices;
  if (kDirection > 0) {
    std::memcpy(&indices, source, sizeof indices);
    return indices;
  }
  std::memcpy(&indices, source - 7, sizeof indices);
  return __builtin_bswap64(indices);
}

// 0x80 in each byte of indices that equals the key, 0 in the others. Exact per byte: no borrow
// crosses from one byte into the next, so mixed words can be resolved from it.
inline uint64_t KeyBytes(uint64_t indices, uint64_t keys) {
  const uint64_t difference = indices ^ keys;
  return ~(((difference & kLowSevenBits) + kLowSevenBits) | difference | kLowSevenBits);
}

inline uint64_t RepeatKey(DWORD key) {
  return kEveryByte * (key & 0xFF);
}

// Little-endian words, as every target of this program is.
struct Pixels16 {
  static constexpr int kBytes = 2;
  using Value = uint16_t;
  static void Convert(const RGBQUAD* table, Value* values) {
    for (int i = 0; i < 256; ++i) {
      values[i] = static_cast<Value>((table[i].rgbRed & 0xF8) << 7 | (table[i].rgbGreen & 0xF8) << 2 |
                                     table[i].rgbBlue >> 3);
    }
  }
  static void Put(BYTE* destination, Value value) { std::memcpy(destination, &value, kBytes); }
  static void PutFour(BYTE* destination, uint32_t indices, const Value* values) {
    const uint32_t low = values[indices & 0xFF] | uint32_t{values[indices >> 8 & 0xFF]} << 16;
    const uint32_t high = values[indices >> 16 & 0xFF] | uint32_t{values[indices >> 24]} << 16;
    std::memcpy(destination, &low, 4);
    std::memcpy(destination + 4, &high, 4);
  }
};

// Blue, green, red in the low three bytes: the 32-bit pixel, and the 24-bit one without its top byte.
inline void ConvertToRgbWords(const RGBQUAD* table, uint32_t* values) {
  for (int i = 0; i < 256; ++i) {
    values[i] = uint32_t{table[i].rgbRed} << 16 | uint32_t{table[i].rgbGreen} << 8 | table[i].rgbBlue;
  }
}

struct Pixels24 {
  static constexpr int kBytes = 3;
  using Value = uint32_t;
  static void Convert(const RGBQUAD* table, Value* values) { ConvertToRgbWords(table, values); }
  static void Put(BYTE* destination, Value value) { std::memcpy(destination, &value, kBytes); }
  // Four pixels are exactly three words.
  static void PutFour(BYTE* destination, uint32_t indices, const Value* values) {
    const uint32_t first = values[indices & 0xFF];
    const uint32_t second = values[indices >> 8 & 0xFF];
    const uint32_t third = values[indices >> 16 & 0xFF];
    const uint32_t fourth = values[indices >> 24];
    const uint32_t words[3] = {first | second << 24, second >> 8 | third << 16, third >> 16 | fourth << 8};
    std::memcpy(destination, words, sizeof words);
  }
};

struct Pixels32 {
  static constexpr int kBytes = 4;
  using Value = uint32_t;
  static void Convert(const RGBQUAD* table, Value* values) { ConvertToRgbWords(table, values); }
  static void Put(BYTE* destination, Value value) { std::memcpy(destination, &value, kBytes); }
  static void PutFour(BYTE* destination, uint32_t indices, const Value* values) {
    Put(destination, values[indices & 0xFF]);
    Put(destination + 4, values[indices >> 8 & 0xFF]);
    Put(destination + 8, values[indices >> 16 & 0xFF]);
    Put(destination + 12, values[indices >> 24]);
  }
};

template <typename Pixels, int kDirection>
void KeyedRows(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD* colourTable,
               DWORD key, LONG destinationStep, LONG sourceStep) {
  if (width <= 0 || rows <= 0) {
    return;
  }
  constexpr int kBytes = Pixels::kBytes;
  typename Pixels::Value values[256];
  Pixels::Convert(colourTable, values);
  const uint64_t keys = RepeatKey(key);
  const BYTE keyIndex = static_cast<BYTE>(keys);
  for (LONG row = 0; row < rows; ++row) {
    LONG left = width;
    for (; left >= 8; left -= 8) {
      const uint64_t indices = LoadIndices<kDirection>(source);
      const uint64_t keyed = KeyBytes(indices, keys);
      if (keyed == 0) {
        Pixels::PutFour(destination, static_cast<uint32_t>(indices), values);
        Pixels::PutFour(destination + 4 * kBytes, static_cast<uint32_t>(indices >> 32), values);
      } else if (keyed != kHighBits) {
        for (int i = 0; i < 8; ++i) {
          if ((keyed >> (8 * i) & 0x80) == 0) {
            Pixels::Put(destination + i * kBytes, values[indices >> (8 * i) & 0xFF]);
          }
        }
      }
      destination += 8 * kBytes;
      source += 8 * kDirection;
    }
    for (; left > 0; --left) {
      if (*source != keyIndex) {
        Pixels::Put(destination, values[*source]);
      }
      destination += kBytes;
      source += kDirection;
    }
    destination += destinationStep;
    source += sourceStep;
  }
}

template <typename Pixels>
void OpaqueRows(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD* colourTable,
                LONG destinationStep, LONG sourceStep) {
  if (width <= 0 || rows <= 0) {
    return;
  }
  constexpr int kBytes = Pixels::kBytes;
  typename Pixels::Value values[256];
  Pixels::Convert(colourTable, values);
  for (LONG row = 0; row < rows; ++row) {
    LONG left = width;
    for (; left >= 4; left -= 4) {
      uint32_t indices;
      std::memcpy(&indices, source, sizeof indices);
      Pixels::PutFour(destination, indices, values);
      destination += 4 * kBytes;
      source += 4;
    }
    for (; left > 0; --left) {
      Pixels::Put(destination, values[*source]);
      destination += kBytes;
      ++source;
    }
    destination += destinationStep;
    source += sourceStep;
  }
}

}  // namespace blit
