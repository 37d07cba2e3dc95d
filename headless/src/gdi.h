// GDI objects of the headless machine: device contexts, brushes, palettes and bitmaps, the pixels of
// bitmaps and the surfaces of windows. Colours travel between them as 0x00RRGGBB values.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <new>
#include <utility>
#include <unordered_map>
#include <vector>

enum class GdiKind { DeviceContext, Brush, Palette, Bitmap };

// Pixels laid out the way a DIB describes them. Device bitmaps use the 32-bit layout, top-down.
struct BitmapPixels {
  int width = 0;
  int height = 0;
  bool bottomUp = true;
  int bitsPerPixel = 32;
  LONG stride = 0;
  DWORD redMask = 0xFF0000;
  DWORD greenMask = 0xFF00;
  DWORD blueMask = 0xFF;
  std::vector<RGBQUAD> colours;  // the colour table at 8 bits per pixel
  BYTE* bits = nullptr;          // points into memory, or at a caller's pixels
  std::vector<BYTE> memory;
};

struct GdiObject {
  GdiKind kind = GdiKind::DeviceContext;
  bool stock = false;
  // Device contexts: a window's (window set), the screen's (neither set) or a memory context.
  HWND window = nullptr;
  bool memory = false;
  bool ownDC = false;  // a CS_OWNDC window's: lives with the window, ReleaseDC leaves it as it is
  HGDIOBJ selectedBitmap = nullptr;
  HGDIOBJ selectedBrush = nullptr;
  HPALETTE selectedPalette = nullptr;
  bool backgroundPalette = false;
  int stretchMode = 1;
  // Brushes.
  COLORREF color = 0;
  // Palettes.
  std::vector<PALETTEENTRY> entries;
  bool realized = false;
  // Bitmaps.
  bool dibSection = false;
  HDC selectedInto = nullptr;
  BitmapPixels pixels;
};

// Memory that starts as zeros the system hands out, with elements made without writing to it: a
// screen-sized surface takes room only where something is drawn.
template <typename T>
struct UntouchedAllocator {
  using value_type = T;
  UntouchedAllocator() = default;
  template <typename U>
  UntouchedAllocator(const UntouchedAllocator<U>&) {}
  T* allocate(size_t count) {
    void* memory = std::calloc(count, sizeof(T));
    if (!memory)
      throw std::bad_alloc();
    return static_cast<T*>(memory);
  }
  void deallocate(T* memory, size_t) { std::free(memory); }
  template <typename U>
  void construct(U*) {}
  template <typename U, typename... Arguments>
  void construct(U* place, Arguments&&... arguments) {
    new (place) U(std::forward<Arguments>(arguments)...);
  }
  bool operator==(const UntouchedAllocator&) const { return true; }
  bool operator!=(const UntouchedAllocator&) const { return false; }
};

// A window's client area as the screen shows it.
struct WindowSurface {
  int width = 0;
  int height = 0;
  std::vector<uint32_t, UntouchedAllocator<uint32_t>> pixels;  // rows top-down, black at first
  RECT changed = {0, 0, 0, 0};  // holds every pixel whose colour changed since it was last taken
};

struct GdiTable {
  std::map<uintptr_t, GdiObject> objects;
  uintptr_t next = 0x20000;
  HGDIOBJ stockBrushes[5] = {};
  HPALETTE defaultPalette = nullptr;
  HGDIOBJ defaultBitmap = nullptr;
  std::vector<PALETTEENTRY> systemPalette;  // what the last foreground realisation put on the screen
  std::map<uintptr_t, WindowSurface> surfaces;
};

GdiTable& TheGdi();
GdiObject* FindGdiObject(HGDIOBJ handle);
GdiObject* FindGdiObject(HGDIOBJ handle, GdiKind kind);
HGDIOBJ AddGdiObject(GdiObject object);
void RemoveGdiObject(HGDIOBJ handle);
HPALETTE DefaultPalette();
HGDIOBJ DefaultBitmap();
HGDIOBJ StockBrush(int index);

// Pixel formats: the layout a BITMAPINFO (at any alignment) describes, with its colour table when
// withColours is set (DIB_PAL_COLORS: indexes into the palette selected into dc), and colours in
// and out of pixels.
bool DescribeDib(const void* info, UINT usage, HDC dc, bool withColours, BitmapPixels* pixels);
// A copy of the header at info (all zero for null), safe at any alignment.
BITMAPINFOHEADER HeaderOf(const void* info);
uint32_t ReadPixel(const BitmapPixels& pixels, int x, int y);
// The pixel value as stored, every byte of it (a 32-bit pixel's fourth byte too).
uint32_t RawPixel(const BitmapPixels& pixels, int x, int y);
// Pixel values mean the same colours in both (same depth, masks, colour table): a copy between them
// copies the values themselves.
bool SameLayout(const BitmapPixels& a, const BitmapPixels& b);
// The pixel value that shows rgb (at 8 bits the index of the nearest colour), and its store.
uint32_t EncodePixel(const BitmapPixels& pixels, uint32_t rgb);
void StorePixel(BitmapPixels& pixels, int x, int y, uint32_t value);
// The first table entry closest to rgb.
int NearestIndex(const std::vector<RGBQUAD>& table, uint32_t rgb);
uint32_t RgbOf(const RGBQUAD& colour);
uint32_t RgbOfColorref(COLORREF color);

// Where drawing on a device context lands: a bitmap, a window's surface, or nowhere (the screen).
struct DrawTarget {
  BitmapPixels* bitmap = nullptr;
  WindowSurface* surface = nullptr;
  std::vector<RGBQUAD> shownColours;  // a window surface at 8 bits per pixel shows only these
  int width = 0;
  int height = 0;
  std::unordered_map<uint32_t, uint32_t> shownCache;
};

bool FindDrawTarget(HDC dc, DrawTarget* target);
// The value that shows rgb on the target (a pixel value of a bitmap, a colour of a surface), its
// store, and both together.
uint32_t ShownValue(DrawTarget& target, uint32_t rgb);
void StoreValue(DrawTarget& target, int x, int y, uint32_t value);
void PutColour(DrawTarget& target, int x, int y, uint32_t rgb);
