// Nearest-neighbour enlargement by a whole factor: each source pixel becomes a factor x factor
// square, copied byte for byte, so the picture keeps its exact colours at every depth.
#pragma once
#include <windows.h>

// `rows` rows of `width` pixels of `bytesPerPixel` bytes, from the top row at `source` to the top
// row at `target`; each stride is the step from one row to the one below it (negative in a
// bottom-up picture). The target takes rows * factor rows of width * factor pixels.
void ScaleRows(const BYTE* source, LONG sourceStride, BYTE* target, LONG targetStride, LONG width, LONG rows,
               LONG bytesPerPixel, int factor);
