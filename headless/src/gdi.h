// GDI objects of the headless machine: device contexts, brushes, palettes and bitmaps.
#pragma once
#include <windows.h>

#include <vector>

enum class GdiKind { DeviceContext, Brush, Palette, Bitmap };

struct GdiObject {
  GdiKind kind = GdiKind::DeviceContext;
  bool stock = false;
  // Device contexts.
  HWND window = nullptr;  // null for the screen and for memory contexts
  bool memory = false;
  HGDIOBJ selectedBitmap = nullptr;
  HPALETTE selectedPalette = nullptr;
  // Brushes.
  COLORREF color = 0;
  // Palettes.
  std::vector<PALETTEENTRY> entries;
};

GdiObject* FindGdiObject(HGDIOBJ handle);
HGDIOBJ AddGdiObject(GdiObject object);
