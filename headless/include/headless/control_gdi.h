// The test side of headless GDI: what windows show, which objects are alive, what is selected.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A window's client area as the screen shows it: rows top-down, each pixel 0x00RRGGBB. At 8 bits
// per pixel only the colours of the palette realised in the drawing context can show.
struct HeadlessSurface {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Black until something is drawn; empty when the window does not exist.
HeadlessSurface HeadlessWindowSurface(HWND window);
// The same into `into`, reusing its storage: for looking at many frames one after another.
void HeadlessReadWindowSurface(HWND window, HeadlessSurface* into);
// The same pixels where they are, valid until the next drawing (null when the window does not exist
// or has no area), for a host that shows them as they change.
const uint32_t* HeadlessSurfacePixels(HWND window, int* width, int* height);
// The smallest rectangle holding every pixel of the window's surface whose colour changed since the
// last call (empty when none did). A new surface is black and counts as unchanged; one that changed
// size has changed as a whole.
RECT HeadlessTakeSurfaceChanges(HWND window);

enum class HeadlessGdiKind { Any, DeviceContext, Brush, Palette, Bitmap };

// Objects made and not yet deleted or released (device contexts included, stock objects not).
int HeadlessLiveGdiObjects(HeadlessGdiKind kind = HeadlessGdiKind::Any);

// One line for every object made and not yet deleted or released ("palette 0x20010 alive, selected
// into 0x20008 (own context of window 0x10010)"). The own context of a CS_OWNDC window lives with
// the window and is not listed; what is selected into it is.
std::vector<std::string> HeadlessGdiLeftovers();

// The colours the last palette realised in the foreground put on the screen (empty before any).
std::vector<PALETTEENTRY> HeadlessSystemPalette();
// A live palette's entries (empty for anything else).
std::vector<PALETTEENTRY> HeadlessPaletteEntries(HPALETTE palette);

HPALETTE HeadlessSelectedPalette(HDC dc);
HGDIOBJ HeadlessSelectedBitmap(HDC dc);
