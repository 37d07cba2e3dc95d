// Copying 8-bit palette frames into the frame buffer, converting each pixel to its depth.
#pragma once
#include <windows.h>

// Bytes from one frame buffer row to the next: the row length rounded up to whole 32-bit words.
LONG FrameBufferRowStride(LONG width, LONG bitsPerPixel);

// Dispatchers: derive the per-row steps and pick the kernel for the depth; other depths draw nothing.
// destination is the bottom-left pixel of the target region; source its bottom-left pixel (bottom-right
// when mirrored). Only the low 8 bits of key are compared.
void BlitKeyed(BYTE* destination, LONG destinationWidth, LONG width, LONG rows, LONG sourceWidth,
               const BYTE* source, const RGBQUAD* colourTable, DWORD key, LONG depth);
void BlitKeyedMirrored(BYTE* destination, LONG destinationWidth, LONG width, LONG rows, LONG sourceWidth,
                       const BYTE* source, const RGBQUAD* colourTable, DWORD key, LONG depth);
void BlitOpaque(BYTE* destination, LONG destinationWidth, LONG width, LONG rows, LONG sourceWidth,
                const BYTE* source, const RGBQUAD* colourTable, LONG depth);

// Kernels: destinationStep and sourceStep are added after each row. The 8-bit kernels write the
// indices themselves and never read the colour table.
void BlitKeyed8(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD* colourTable,
                DWORD key, LONG destinationStep, LONG sourceStep);
void BlitKeyed16(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD* colourTable,
                 DWORD key, LONG destinationStep, LONG sourceStep);
void BlitKeyed24(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD* colourTable,
                 DWORD key, LONG destinationStep, LONG sourceStep);
void BlitKeyed32(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD* colourTable,
                 DWORD key, LONG destinationStep, LONG sourceStep);

void BlitKeyedMirrored8(BYTE* destination, LONG width, LONG rows, const BYTE* source,
                        const RGBQUAD* colourTable, DWORD key, LONG destinationStep, LONG sourceStep);
void BlitKeyedMirrored16(BYTE* destination, LONG width, LONG rows, const BYTE* source,
                         const RGBQUAD* colourTable, DWORD key, LONG destinationStep, LONG sourceStep);
void BlitKeyedMirrored24(BYTE* destination, LONG width, LONG rows, const BYTE* source,
                         const RGBQUAD* colourTable, DWORD key, LONG destinationStep, LONG sourceStep);
void BlitKeyedMirrored32(BYTE* destination, LONG width, LONG rows, const BYTE* source,
                         const RGBQUAD* colourTable, DWORD key, LONG destinationStep, LONG sourceStep);

void BlitOpaque8(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD* colourTable,
                 LONG destinationStep, LONG sourceStep);
void BlitOpaque16(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD* colourTable,
                  LONG destinationStep, LONG sourceStep);
void BlitOpaque24(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD* colourTable,
                  LONG destinationStep, LONG sourceStep);
void BlitOpaque32(BYTE* destination, LONG width, LONG rows, const BYTE* source, const RGBQUAD* colourTable,
                  LONG destinationStep, LONG sourceStep);
