// Row loops shared by the blit kernels of the direct-colour depths. The frame's colour table is
// converted once per call into ready destination pixels, so each source index costs one lookup.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstring>

namespace blit {

// Blue, green, red in the low three bytes: the 32-bit pixel, and the 24-bit one without its top byte.
inline uint32_t RgbWord(const RGBQUAD& colour) {
  uint32_t word;
  std::memcpy(&word, &colour, sizeof word);
  return word & 0xFFFFFF;
}

// The three formats, as little-endian words (every target of this program is little-endian). A
// pixel value sits in the low bytes of a 32-bit word; four pixels fill exactly kBytes words.
struct Pixels16 {
  static constexpr int kBytes = 2;
  using Value = uint16_t;
  static void Convert(const RGBQUAD* table, Value* values) {
    for (int i = 0; i < 256; ++i) {
      const uint32_t rgb = RgbWord(table[i]);
      values[i] = static_cast<Value>((rgb >> 9 & 0x7C00) | (rgb >> 6 & 0x3E0) | (rgb >> 3 & 0x1F));
    }
  }
  static void Store(BYTE* pixel, uint32_t value) {
    const Value narrow = static_cast<Value>(value);
    std::memcpy(pixel, &narrow, kBytes);
  }
  static void StoreFour(BYTE* pixels, uint32_t first, uint32_t second, uint32_t third, uint32_t fourth) {
    const uint64_t words = first | second << 16 | uint64_t{third} << 32 | uint64_t{fourth} << 48;
    std::memcpy(pixels, &words, sizeof words);
  }
};

struct Pixels24 {
  static constexpr int kBytes = 3;
  using Value = uint32_t;
  static void Convert(const RGBQUAD* table, Value* values) {
    for (int i = 0; i < 256; ++i) {
      values[i] = RgbWord(table[i]);
    }
  }
  static void Store(BYTE* pixel, uint32_t value) { std::memcpy(pixel, &value, kBytes); }
  static void StoreFour(BYTE* pixels, uint32_t first, uint32_t second, uint32_t third, uint32_t fourth) {
    const uint64_t low = first | uint64_t{second} << 24 | uint64_t{third} << 48;
    const uint32_t high = third >> 16 | fourth << 8;
    std::memcpy(pixels, &low, sizeof low);
    std::memcpy(pixels + 8, &high, sizeof high);
  }
};

struct Pixels32 {
  static constexpr int kBytes = 4;
  using Value = uint32_t;
  static void Convert(const RGBQUAD* table, Value* values) { Pixels24::Convert(table, values); }
  static void Store(BYTE* pixel, uint32_t value) { std::memcpy(pixel, &value, kBytes); }
  static void StoreFour(BYTE* pixels, uint32_t first, uint32_t second, uint32_t third, uint32_t fourth) {
    const uint64_t low = first | uint64_t{second} << 32;
    const uint64_t high = third | uint64_t{fourth} << 32;
    std::memcpy(pixels, &low, sizeof low);
    std::memcpy(pixels + 8, &high, sizeof high);
  }
};

// A transparent pixel is written too, but to a scratch slot instead of the frame buffer: choosing the
// address costs no branch, and keyed frames follow no pattern a branch predictor could learn.
template <typename Pixels>
[[gnu::always_inline]] inline void PutUnlessKey(BYTE* pixel, BYTE index, BYTE key,
                                                const typename Pixels::Value* values, BYTE* scratch) {
  BYTE* const target = index == key ? scratch : pixel;
  Pixels::Store(target, values[index]);
}

// kDirection +1 reads each source row left to right, -1 right to left.
template <typename Pixels, int kDirection>
void KeyedRows(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD* colourTable,
               DWORD key, LONG destinationStep, LONG sourceStep) {
  if (width <= 0 || rows <= 0) {
    return;
  }
  constexpr int kBytes = Pixels::kBytes;
  typename Pixels::Value values[256];
  Pixels::Convert(colourTable, values);
  const BYTE keyIndex = static_cast<BYTE>(key);
  BYTE scratch[4];
  for (LONG row = 0; row < rows; ++row) {
    LONG left = width;
    for (; left >= 4; left -= 4) {
      PutUnlessKey<Pixels>(destination, source[0], keyIndex, values, scratch);
      PutUnlessKey<Pixels>(destination + kBytes, source[kDirection], keyIndex, values, scratch);
      PutUnlessKey<Pixels>(destination + 2 * kBytes, source[2 * kDirection], keyIndex, values, scratch);
      PutUnlessKey<Pixels>(destination + 3 * kBytes, source[3 * kDirection], keyIndex, values, scratch);
      destination += 4 * kBytes;
      source += 4 * kDirection;
    }
    for (; left > 0; --left) {
      PutUnlessKey<Pixels>(destination, *source, keyIndex, values, scratch);
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
      Pixels::StoreFour(destination, values[source[0]], values[source[1]], values[source[2]],
                        values[source[3]]);
      destination += 4 * kBytes;
      source += 4;
    }
    for (; left > 0; --left) {
      Pixels::Store(destination, values[*source]);
      destination += kBytes;
      ++source;
    }
    destination += destinationStep;
    source += sourceStep;
  }
}

}  // namespace blit
