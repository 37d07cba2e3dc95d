// The three ways of drawing: each picks its kernel by depth once per rectangle and derives the row steps.
#include "render/blit.h"

#include <cstdint>

namespace {

using KeyedKernel = void (*)(BYTE*, LONG, LONG, const BYTE*, const RGBQUAD*, DWORD, LONG, LONG);
using OpaqueKernel = void (*)(BYTE*, LONG, LONG, const BYTE*, const RGBQUAD*, LONG, LONG);

template <typename Kernel>
Kernel KernelForDepth(LONG depth, Kernel at8, Kernel at16, Kernel at24, Kernel at32) {
  switch (depth) {
    case 8:
      return at8;
    case 16:
      return at16;
    case 24:
      return at24;
    case 32:
      return at32;
    default:
      return nullptr;
  }
}

// Source rows are whole 32-bit words long.
LONG SourceStride(LONG sourceWidth) {
  return static_cast<LONG>((int64_t{sourceWidth} + 3) & ~int64_t{3});
}

LONG DestinationStep(LONG destinationWidth, LONG width, LONG depth) {
  return static_cast<LONG>(FrameBufferRowStride(destinationWidth, depth) - int64_t{width} * (depth / 8));
}

}  // namespace

LONG FrameBufferRowStride(LONG width, LONG bitsPerPixel) {
  return static_cast<LONG>((int64_t{width} * bitsPerPixel + 31) / 32 * 4);
}

void BlitKeyed(BYTE* destination, LONG destinationWidth, LONG width, LONG rows, LONG sourceWidth,
               const BYTE* source, const RGBQUAD* colourTable, DWORD key, LONG depth) {
  const KeyedKernel kernel =
      KernelForDepth<KeyedKernel>(depth, BlitKeyed8, BlitKeyed16, BlitKeyed24, BlitKeyed32);
  if (kernel != nullptr) {
    kernel(destination, width, rows, source, colourTable, key,
           DestinationStep(destinationWidth, width, depth),
           static_cast<LONG>(SourceStride(sourceWidth) - int64_t{width}));
  }
}

void BlitKeyedMirrored(BYTE* destination, LONG destinationWidth, LONG width, LONG rows, LONG sourceWidth,
                       const BYTE* source, const RGBQUAD* colourTable, DWORD key, LONG depth) {
  const KeyedKernel kernel = KernelForDepth<KeyedKernel>(depth, BlitKeyedMirrored8, BlitKeyedMirrored16,
                                                         BlitKeyedMirrored24, BlitKeyedMirrored32);
  if (kernel != nullptr) {
    kernel(destination, width, rows, source, colourTable, key,
           DestinationStep(destinationWidth, width, depth),
           static_cast<LONG>(SourceStride(sourceWidth) + int64_t{width}));
  }
}

void BlitOpaque(BYTE* destination, LONG destinationWidth, LONG width, LONG rows, LONG sourceWidth,
                const BYTE* source, const RGBQUAD* colourTable, LONG depth) {
  const OpaqueKernel kernel =
      KernelForDepth<OpaqueKernel>(depth, BlitOpaque8, BlitOpaque16, BlitOpaque24, BlitOpaque32);
  if (kernel != nullptr) {
    kernel(destination, width, rows, source, colourTable, DestinationStep(destinationWidth, width, depth),
           static_cast<LONG>(SourceStride(sourceWidth) - int64_t{width}));
  }
}
