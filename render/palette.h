// The main palette: the colour table of the MAINPAL bitmap as a logical palette, made only on
// palette displays, and the all-black palette that clears the screen's colours at start.
#pragma once
#include <windows.h>

// The main palette's two halves live from CreateMainPalette to ReleaseMainPalette.
struct MainPalette {
  LOGPALETTE* entries = nullptr;  // heap block, also the 8-bit frame buffer's colour table
  HPALETTE handle = nullptr;
};

extern MainPalette mainPalette;

void ClearSystemPalette();
// Null when the resource is missing (after telling the user) or the palette cannot be made.
HPALETTE CreateMainPalette(HINSTANCE instance, LPCSTR resourceName);
void ReleaseMainPalette();

DWORD ColorTableLength(const BITMAPINFOHEADER* header);
// A heap LOGPALETTE (free with std::free) from the colour table 40 bytes after header; at most
// 256 entries are taken.
LOGPALETTE* LogPaletteFromBitmap(const BITMAPINFOHEADER* header);
