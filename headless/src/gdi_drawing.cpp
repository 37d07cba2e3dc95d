// Drawing: filling, copying and stretching into bitmaps and onto windows' surfaces.
#include <algorithm>

#include "gdi.h"
#include "headless/control_gdi.h"
#include "world.h"

namespace {

// A window's surface at its current client size; what overlaps the old size is kept.
WindowSurface* SurfaceOf(HWND window) {
  WindowRecord* record = FindWindowRecord(window);
  if (!record)
    return nullptr;
  WindowSurface& surface = TheGdi().surfaces[reinterpret_cast<uintptr_t>(window)];
  const int width = std::max(record->width, 0), height = std::max(record->height, 0);
  if (surface.width != width || surface.height != height) {
    decltype(surface.pixels) pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < std::min(height, surface.height); ++y) {
      std::copy_n(surface.pixels.begin() + static_cast<ptrdiff_t>(y) * surface.width,
                  std::min(width, surface.width), pixels.begin() + static_cast<ptrdiff_t>(y) * width);
    }
    // A surface that had pixels has changed as a whole; a new one is as black as it was.
    const RECT changed = surface.width && surface.height ? RECT{0, 0, width, height} : RECT{0, 0, 0, 0};
    surface = WindowSurface{width, height, std::move(pixels), changed};
  }
  return &surface;
}

void AddToChanged(RECT& changed, int x, int y) {
  if (changed.right <= changed.left || changed.bottom <= changed.top) {
    changed = RECT{x, y, x + 1, y + 1};
    return;
  }
  changed.left = std::min<LONG>(changed.left, x);
  changed.top = std::min<LONG>(changed.top, y);
  changed.right = std::max<LONG>(changed.right, x + 1);
  changed.bottom = std::max<LONG>(changed.bottom, y + 1);
}

// On a palette display a window shows the colours of its context's palette once it is realised.
std::vector<RGBQUAD> ShownColours(const GdiObject& dc) {
  const GdiObject* palette = FindGdiObject(dc.selectedPalette, GdiKind::Palette);
  if (!palette || !palette->realized)
    palette = FindGdiObject(DefaultPalette(), GdiKind::Palette);
  std::vector<RGBQUAD> colours;
  for (const PALETTEENTRY& entry : palette->entries)
    colours.push_back(RGBQUAD{entry.peBlue, entry.peGreen, entry.peRed, 0});
  return colours;
}

uint32_t GetColour(const DrawTarget& target, int x, int y) {
  if (target.bitmap)
    return ReadPixel(*target.bitmap, x, y);
  return target.surface->pixels[static_cast<size_t>(y) * target.width + x];
}

// The source pixel that destination pixel k shows, both counted in memory order, as the platform's
// line-stepping stretch picks it: the one under k's centre when enlarging (of two, the one to the
// left or above on the screen: the lower index when counting runs that way, `screenOrder`), the last
// one k covers when shrinking.
int64_t StretchedIndex(int64_t k, int64_t destLength, int64_t sourceLength, bool screenOrder) {
  if (destLength >= sourceLength)
    return ((2 * k + 1) * sourceLength - (screenOrder ? 1 : 0)) / (2 * destLength);
  const int64_t reach = 2 * (k + 1) * sourceLength - destLength;
  return (reach + 2 * destLength - 1) / (2 * destLength) - 1;
}

struct Span {
  int destination, source, length;
};

// Cuts a copy of `length` pixels so that it stays inside both extents.
Span ClipSpan(int destination, int source, int length, int destinationExtent, int sourceExtent) {
  int64_t start = 0, end = length;
  start = std::max({start, -int64_t{destination}, -int64_t{source}});
  end = std::min({end, int64_t{destinationExtent} - destination, int64_t{sourceExtent} - source});
  if (end <= start)
    return Span{0, 0, 0};
  return Span{static_cast<int>(destination + start), static_cast<int>(source + start),
              static_cast<int>(end - start)};
}

}  // namespace

bool FindDrawTarget(HDC dc, DrawTarget* target) {
  GdiObject* context = FindGdiObject(dc, GdiKind::DeviceContext);
  if (!context)
    return false;
  if (context->memory) {
    target->bitmap = &FindGdiObject(context->selectedBitmap, GdiKind::Bitmap)->pixels;
    target->width = target->bitmap->width;
    target->height = target->bitmap->height;
  } else if (context->window) {
    target->surface = SurfaceOf(context->window);
    if (!target->surface)
      return false;
    target->width = target->surface->width;
    target->height = target->surface->height;
    if (TheWorld().bitsPerPixel == 8)
      target->shownColours = ShownColours(*context);
  }
  return true;
}

uint32_t ShownValue(DrawTarget& target, uint32_t rgb) {
  if (!target.bitmap && target.shownColours.empty())
    return rgb;
  if (target.bitmap && target.bitmap->bitsPerPixel != 8)
    return EncodePixel(*target.bitmap, rgb);
  // Matching against a colour table searches 256 entries: each colour is matched once.
  auto cached = target.shownCache.find(rgb);
  if (cached != target.shownCache.end())
    return cached->second;
  const uint32_t value = target.bitmap ? EncodePixel(*target.bitmap, rgb)
                                       : RgbOf(target.shownColours[NearestIndex(target.shownColours, rgb)]);
  target.shownCache.emplace(rgb, value);
  return value;
}

void StoreValue(DrawTarget& target, int x, int y, uint32_t value) {
  if (target.bitmap)
    StorePixel(*target.bitmap, x, y, value);
  else if (uint32_t& pixel = target.surface->pixels[static_cast<size_t>(y) * target.width + x];
           pixel != value) {
    pixel = value;
    AddToChanged(target.surface->changed, x, y);
  }
}

void PutColour(DrawTarget& target, int x, int y, uint32_t rgb) {
  StoreValue(target, x, y, ShownValue(target, rgb));
}

int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  if (!rect)
    return 0;
  GdiObject* brushObject = FindGdiObject(brush, GdiKind::Brush);
  LogCall("FillRect", dc, " ", rect->left, ",", rect->top, ",", rect->right, ",", rect->bottom,
          " color=", brushObject ? brushObject->color : 0xFFFFFFFFu);
  DrawTarget target;
  if (!brushObject || !FindDrawTarget(dc, &target))
    return 0;
  const uint32_t rgb = RgbOfColorref(brushObject->color);
  const int left = std::max<LONG>(rect->left, 0), right = std::min<LONG>(rect->right, target.width);
  const int top = std::max<LONG>(rect->top, 0), bottom = std::min<LONG>(rect->bottom, target.height);
  const uint32_t value = ShownValue(target, rgb);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x)
      StoreValue(target, x, y, value);
  }
  return 1;
}

BOOL WINAPI BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                   DWORD rop) {
  LogCall("BitBlt", dest, " ", x, ",", y, ",", width, ",", height, " from ", source, " ", sourceX, ",",
          sourceY, " rop=", rop);
  DrawTarget to, from;
  if (rop != SRCCOPY || !FindDrawTarget(dest, &to) || !FindDrawTarget(source, &from))
    return FALSE;
  const Span columns = ClipSpan(x, sourceX, width, to.width, from.width);
  const Span rows = ClipSpan(y, sourceY, height, to.height, from.height);
  // Between bitmaps of the same layout the pixel values themselves are copied, else their colours.
  // Read everything first: source and destination may be the same bitmap.
  const bool sameLayout = to.bitmap && from.bitmap && SameLayout(*to.bitmap, *from.bitmap);
  std::vector<uint32_t> colours;
  colours.reserve(static_cast<size_t>(columns.length) * rows.length);
  for (int row = 0; row < rows.length; ++row) {
    for (int column = 0; column < columns.length; ++column) {
      const int fromX = columns.source + column, fromY = rows.source + row;
      colours.push_back(sameLayout ? RawPixel(*from.bitmap, fromX, fromY) : GetColour(from, fromX, fromY));
    }
  }
  size_t next = 0;
  for (int row = 0; row < rows.length; ++row) {
    for (int column = 0; column < columns.length; ++column, ++next) {
      const int toX = columns.destination + column, toY = rows.destination + row;
      if (sameLayout)
        StorePixel(*to.bitmap, toX, toY, colours[next]);
      else
        PutColour(to, toX, toY, colours[next]);
    }
  }
  return TRUE;
}

// Nearest-neighbour stretching (COLORONCOLOR), counted in the DIB's memory order (rows from the
// bottom of a bottom-up DIB, whose source rectangle also counts its rows from the bottom).
int WINAPI StretchDIBits(HDC dc, int destX, int destY, int destWidth, int destHeight, int sourceX,
                         int sourceY, int sourceWidth, int sourceHeight, const void* bits,
                         const BITMAPINFO* info, UINT usage, DWORD rop) {
  LogCall("StretchDIBits", dc, " ", destX, ",", destY, ",", destWidth, ",", destHeight, " from ", sourceX,
          ",", sourceY, ",", sourceWidth, ",", sourceHeight, " rop=", rop);
  DrawTarget target;
  BitmapPixels pixels;
  if (rop != SRCCOPY || !bits || !info || destWidth <= 0 || destHeight <= 0 || sourceWidth <= 0 ||
      sourceHeight <= 0 || !FindDrawTarget(dc, &target) || !DescribeDib(info, usage, dc, true, &pixels)) {
    return 0;
  }
  pixels.bits = const_cast<BYTE*>(static_cast<const BYTE*>(bits));
  const bool sameLayout = target.bitmap && SameLayout(*target.bitmap, pixels);
  for (int row = 0; row < destHeight; ++row) {
    const int64_t y = int64_t{destY} + row;
    const int64_t picked = StretchedIndex(pixels.bottomUp ? destHeight - 1 - row : row, destHeight,
                                          sourceHeight, !pixels.bottomUp) +
                           sourceY;
    const int64_t fromY = pixels.bottomUp ? pixels.height - 1 - picked : picked;
    if (y < 0 || y >= target.height || fromY < 0 || fromY >= pixels.height)
      continue;
    for (int column = 0; column < destWidth; ++column) {
      const int64_t x = int64_t{destX} + column;
      const int64_t fromX = sourceX + StretchedIndex(column, destWidth, sourceWidth, true);
      if (x < 0 || x >= target.width || fromX < 0 || fromX >= pixels.width)
        continue;
      if (sameLayout)
        StorePixel(*target.bitmap, static_cast<int>(x), static_cast<int>(y),
                   RawPixel(pixels, static_cast<int>(fromX), static_cast<int>(fromY)));
      else
        PutColour(target, static_cast<int>(x), static_cast<int>(y),
                  ReadPixel(pixels, static_cast<int>(fromX), static_cast<int>(fromY)));
    }
  }
  return destHeight;
}

BOOL WINAPI GdiFlush(void) {
  LogCall("GdiFlush");
  return TRUE;
}

HeadlessSurface HeadlessWindowSurface(HWND window) {
  HeadlessSurface result;
  HeadlessReadWindowSurface(window, &result);
  return result;
}

void HeadlessReadWindowSurface(HWND window, HeadlessSurface* into) {
  const WindowSurface* surface = SurfaceOf(window);
  into->width = surface ? surface->width : 0;
  into->height = surface ? surface->height : 0;
  if (surface)
    into->pixels.assign(surface->pixels.begin(), surface->pixels.end());
  else
    into->pixels.clear();
}

const uint32_t* HeadlessSurfacePixels(HWND window, int* width, int* height) {
  const WindowSurface* surface = SurfaceOf(window);
  *width = surface ? surface->width : 0;
  *height = surface ? surface->height : 0;
  return surface && !surface->pixels.empty() ? surface->pixels.data() : nullptr;
}

RECT HeadlessTakeSurfaceChanges(HWND window) {
  WindowSurface* surface = SurfaceOf(window);
  if (!surface)
    return RECT{0, 0, 0, 0};
  const RECT changed = surface->changed;
  surface->changed = RECT{0, 0, 0, 0};
  return changed;
}
