#include "render/palette.h"

#include <cstddef>
#include <cstdlib>

#include "render/bitmap_header.h"
#include "sprites/bitmap_format.h"

MainPalette mainPalette;

namespace {

const DWORD kMaxPaletteEntries = 256;
const char kMissingPaletteText[] = "CreateMainPalette LoadResource Error.";

LOGPALETTE* AllocateLogPalette(DWORD count) {
  const size_t size = offsetof(LOGPALETTE, palPalEntry) + (count ? count : 1) * sizeof(PALETTEENTRY);
  LOGPALETTE* palette = static_cast<LOGPALETTE*>(std::calloc(1, size));
  if (palette) {
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
  }
  return palette;
}

DWORD UsableEntries(const BITMAPINFOHEADER* header) {
  const DWORD count = ColorTableLength(header);
  return count < kMaxPaletteEntries ? count : kMaxPaletteEntries;
}

// The resource must hold the file header, the bitmap header and the whole colour table.
bool HoldsColourTable(const BYTE* resource, DWORD size) {
  if (size < kBitmapColourTableOffset)
    return false;
  const BITMAPINFOHEADER* header =
      reinterpret_cast<const BITMAPINFOHEADER*>(resource + kBitmapFileHeaderSize);
  return size >= kBitmapColourTableOffset + UsableEntries(header) * sizeof(RGBQUAD);
}

}  // namespace

DWORD ColorTableLength(const BITMAPINFOHEADER* header) {
  const BITMAPINFOHEADER fields = ReadBitmapHeader(header);
  if (fields.biClrUsed != 0)
    return fields.biClrUsed;
  switch (fields.biBitCount) {
    case 1:
      return 2;
    case 4:
      return 16;
    case 8:
      return 256;
    default:
      return 0;
  }
}

LOGPALETTE* LogPaletteFromBitmap(const BITMAPINFOHEADER* header) {
  const DWORD count = UsableEntries(header);
  LOGPALETTE* palette = AllocateLogPalette(count);
  if (!palette)
    return nullptr;
  const RGBQUAD* table = ColourTableAfter<RGBQUAD>(header);
  for (DWORD i = 0; i < count; ++i)
    palette->palPalEntry[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
  return palette;
}

HPALETTE CreateMainPalette(HINSTANCE instance, LPCSTR resourceName) {
  ReleaseMainPalette();
  HRSRC found = FindResourceA(instance, resourceName, "MAINPAL");
  HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
  const BYTE* resource = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  if (!resource || !HoldsColourTable(resource, SizeofResource(instance, found))) {
    MessageBoxA(nullptr, kMissingPaletteText, nullptr, MB_OK);
    return nullptr;
  }
  mainPalette.entries =
      LogPaletteFromBitmap(reinterpret_cast<const BITMAPINFOHEADER*>(resource + kBitmapFileHeaderSize));
  if (mainPalette.entries)
    mainPalette.handle = CreatePalette(mainPalette.entries);
  FreeResource(loaded);
  return mainPalette.handle;
}

void ReleaseMainPalette() {
  if (mainPalette.handle) {
    DeleteObject(mainPalette.handle);
    mainPalette.handle = nullptr;
  }
  if (mainPalette.entries) {
    std::free(mainPalette.entries);
    mainPalette.entries = nullptr;
  }
}

void ClearSystemPalette() {
  LOGPALETTE* black = AllocateLogPalette(kMaxPaletteEntries);
  if (!black)
    return;
  for (DWORD i = 0; i < kMaxPaletteEntries; ++i)
    black->palPalEntry[i] = PALETTEENTRY{0, 0, 0, PC_NOCOLLAPSE};
  HDC screen = GetDC(nullptr);
  HPALETTE palette = CreatePalette(black);
  if (screen && palette) {
    HPALETTE previous = SelectPalette(screen, palette, FALSE);
    RealizePalette(screen);
    SelectPalette(screen, previous, FALSE);
  }
  if (palette)
    DeleteObject(palette);
  if (screen)
    ReleaseDC(nullptr, screen);
  std::free(black);
}
