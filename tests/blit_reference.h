// The plain byte-by-byte blit that the optimised kernels must match bit for bit; shared by the tests
// and the benchmark, which measures the kernels against it.
#pragma once
#include <windows.h>

#include <cstring>

// kBytes is the destination pixel size; kDirection +1 reads the source left to right, -1 right to left.
template <int kBytes, bool kKeyed, int kDirection>
void PlainBlit(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD* colourTable,
               DWORD key, LONG destinationStep, LONG sourceStep) {
  for (LONG row = 0; row < rows; ++row) {
    for (LONG column = 0; column < width; ++column) {
      const BYTE index = *source;
      if (!kKeyed || index != (key & 0xFF)) {
        if (kBytes == 1) {
          destination[0] = index;
        } else {
          const RGBQUAD colour = colourTable[index];
          if (kBytes == 2) {
            const WORD value = static_cast<WORD>((colour.rgbRed & 0xF8) * 128 + (colour.rgbGreen & 0xF8) * 4 +
                                                 (colour.rgbBlue >> 3));
            std::memcpy(destination, &value, sizeof value);
          } else if (kBytes == 3) {
            destination[0] = colour.rgbBlue;
            destination[1] = colour.rgbGreen;
            destination[2] = colour.rgbRed;
          } else {
            const DWORD value = colour.rgbRed * 65536u + colour.rgbGreen * 256u + colour.rgbBlue;
            std::memcpy(destination, &value, sizeof value);
          }
        }
      }
      destination += kBytes;
      source += kDirection;
    }
    destination += destinationStep;
    source += sourceStep;
  }
}
