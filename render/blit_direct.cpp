// Kernels for the direct-colour depths: each index becomes its colour in the frame buffer's format.
#include "render/blit.h"
#include "render/blit_rows.h"

using blit::KeyedRows;
using blit::OpaqueRows;
using blit::Pixels16;
using blit::Pixels24;
using blit::Pixels32;

void BlitKeyed16(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD* colourTable,
                 DWORD key, LONG destinationStep, LONG sourceStep) {
  KeyedRows<Pixels16, 1>(destination, width, rows, source, colourTable, key, destinationStep, sourceStep);
}

void BlitKeyed24(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD* colourTable,
                 DWORD key, LONG destinationStep, LONG sourceStep) {
  KeyedRows<Pixels24, 1>(destination, width, rows, source, colourTable, key, destinationStep, sourceStep);
}

void BlitKeyed32(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD* colourTable,
                 DWORD key, LONG destinationStep, LONG sourceStep) {
  KeyedRows<Pixels32, 1>(destination, width, rows, source, colourTable, key, destinationStep, sourceStep);
}

void BlitKeyedMirrored16(BYTE* destination, LONG width, LONG rows, const BYTE* source,
                         const RGBQUAD* colourTable, DWORD key, LONG destinationStep, LONG sourceStep) {
  KeyedRows<Pixels16, -1>(destination, width, rows, source, colourTable, key, destinationStep, sourceStep);
}

void BlitKeyedMirrored24(BYTE* destination, LONG width, LONG rows, const BYTE* source,
                         const RGBQUAD* colourTable, DWORD key, LONG destinationStep, LONG sourceStep) {
  KeyedRows<Pixels24, -1>(destination, width, rows, source, colourTable, key, destinationStep, sourceStep);
}

void BlitKeyedMirrored32(BYTE* destination, LONG width, LONG rows, const BYTE* source,
                         const RGBQUAD* colourTable, DWORD key, LONG destinationStep, LONG sourceStep) {
  KeyedRows<Pixels32, -1>(destination, width, rows, source, colourTable, key, destinationStep, sourceStep);
}

void BlitOpaque16(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD* colourTable,
                  LONG destinationStep, LONG sourceStep) {
  OpaqueRows<Pixels16>(destination, width, rows, source, colourTable, destinationStep, sourceStep);
}

void BlitOpaque24(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD* colourTable,
                  LONG destinationStep, LONG sourceStep) {
  OpaqueRows<Pixels24>(destination, width, rows, source, colourTable, destinationStep, sourceStep);
}

void BlitOpaque32(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD* colourTable,
                  LONG destinationStep, LONG sourceStep) {
  OpaqueRows<Pixels32>(destination, width, rows, source, colourTable, destinationStep, sourceStep);
}
