// The byte layouts of the sprite resources, checked before anything points into them. A resource
// that fails its check is treated like a missing one; nothing past its end is ever read.
#pragma once
#include <windows.h>

#include <cstddef>

#include "sprites/bitmap_format.h"

const size_t kPlacementRecordSize = 16;
const size_t kPlacementXField = 4;
const size_t kPlacementYField = 6;

// Little-endian fields, read byte by byte: resource bytes carry no alignment.
DWORD ReadU32(const BYTE* at);
WORD ReadU16(const BYTE* at);
int ReadS16(const BYTE* at);

// The number of BMP files in an SPBMP resource, or 0 when it holds none or is malformed. Each file
// must be an uncompressed 8-bit bitmap of positive width and height with a 40-byte header, a full
// 256-entry colour table before its pixels, and all its padded rows inside its bfSize; the bfSize
// chain must end exactly at the resource's end.
int CountBitmapFiles(const BYTE* bytes, size_t size);

// The number of 16-byte records in an SPBMPDATA resource of `size` bytes (16 × N records and a
// 4-byte trailer), or 0 unless N is at least 1.
int CountPlacementRecords(size_t size);
