// Device contexts, stock objects, palettes and their selection.
#include "gdi.h"

#include <map>

#include "world.h"

namespace {

struct GdiTable {
  std::map<uintptr_t, GdiObject> objects;
  uintptr_t next = 0x20000;
  HGDIOBJ stockBrushes[5] = {};
  HPALETTE defaultPalette = nullptr;
};

GdiTable& Table() {
  static GdiTable table;
  return table;
}

HGDIOBJ StockBrush(int index) {
  GdiTable& table = Table();
  if (!table.stockBrushes[index]) {
    static const COLORREF kColors[5] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0x000000};
    GdiObject brush;
  brush.kind = GdiKind::Brush;
    brush.stock = true;
    brush.color = kColors[index];
    table.stockBrushes[index] = AddGdiObject(brush);
  }
  return table.stockBrushes[index];
}

HPALETTE DefaultPalette() {
  GdiTable& table = Table();
  if (!table.defaultPalette) {
    GdiObject palette;
  palette.kind = GdiKind::Palette;
    palette.stock = true;
    palette.entries.assign(20, PALETTEENTRY{0, 0, 0, 0});
    table.defaultPalette = static_cast<HPALETTE>(AddGdiObject(palette));
  }
  return table.defaultPalette;
}

HDC NewDeviceContext(HWND window, bool memory) {
  GdiObject dc;
  dc.kind = GdiKind::DeviceContext;
  dc.window = window;
  dc.memory = memory;
  dc.selectedPalette = DefaultPalette();
  return static_cast<HDC>(AddGdiObject(dc));
}

}  // namespace

GdiObject* FindGdiObject(HGDIOBJ handle) {
  auto& objects = Table().objects;
  auto found = objects.find(reinterpret_cast<uintptr_t>(handle));
  return found == objects.end() ? nullptr : &found->second;
}

HGDIOBJ AddGdiObject(GdiObject object) {
  GdiTable& table = Table();
  uintptr_t handle = table.next;
  table.next += 4;
  table.objects[handle] = std::move(object);
  return reinterpret_cast<HGDIOBJ>(handle);
}

void ResetGdi() { Table() = GdiTable(); }

HDC WINAPI GetDC(HWND window) {
  LogCall("GetDC", window);
  if (ShouldFail("GetDC") || (window && !FindWindowRecord(window))) return nullptr;
  return NewDeviceContext(window, false);
}

int WINAPI ReleaseDC(HWND window, HDC dc) {
  LogCall("ReleaseDC", window, " dc=", dc);
  GdiObject* object = FindGdiObject(dc);
  if (!object || object->kind != GdiKind::DeviceContext || object->memory) return 0;
  Table().objects.erase(reinterpret_cast<uintptr_t>(dc));
  return 1;
}

int WINAPI GetDeviceCaps(HDC dc, int index) {
  int bits = TheWorld().bitsPerPixel;
  if (!FindGdiObject(dc)) return 0;
  switch (index) {
    case BITSPIXEL:
      return bits;
    case RASTERCAPS:
      return bits == 8 ? RC_PALETTE : 0;
    case SIZEPALETTE:
      return bits == 8 ? 256 : 0;
    default:
      return 0;
  }
}

HGDIOBJ WINAPI GetStockObject(int index) {
  if (index < WHITE_BRUSH || index > BLACK_BRUSH) return nullptr;
  return StockBrush(index);
}

int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  GdiObject* brushObject = FindGdiObject(brush);
  LogCall("FillRect", dc, " ", rect->left, ",", rect->top, ",", rect->right, ",", rect->bottom,
          " color=", brushObject ? brushObject->color : 0xFFFFFFFFu);
  GdiObject* target = FindGdiObject(dc);
  return target && target->kind == GdiKind::DeviceContext && brushObject ? 1 : 0;
}

HPALETTE WINAPI CreatePalette(const LOGPALETTE* palette) {
  LogCall("CreatePalette", palette ? palette->palNumEntries : 0);
  if (!palette || palette->palNumEntries == 0 || ShouldFail("CreatePalette")) return nullptr;
  GdiObject object;
  object.kind = GdiKind::Palette;
  object.entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
  return static_cast<HPALETTE>(AddGdiObject(object));
}

HPALETTE WINAPI SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground) {
  LogCall("SelectPalette", dc, " ", palette, " bg=", forceBackground);
  GdiObject* target = FindGdiObject(dc);
  GdiObject* object = FindGdiObject(palette);
  if (!target || target->kind != GdiKind::DeviceContext || !object || object->kind != GdiKind::Palette) {
    return nullptr;
  }
  HPALETTE previous = target->selectedPalette;
  target->selectedPalette = palette;
  return previous;
}

UINT WINAPI RealizePalette(HDC dc) {
  LogCall("RealizePalette", dc);
  GdiObject* target = FindGdiObject(dc);
  if (!target || target->kind != GdiKind::DeviceContext) return GDI_ERROR;
  GdiObject* palette = FindGdiObject(target->selectedPalette);
  return palette ? static_cast<UINT>(palette->entries.size()) : 0;
}

BOOL WINAPI DeleteObject(HGDIOBJ handle) {
  LogCall("DeleteObject", handle);
  GdiObject* object = FindGdiObject(handle);
  if (!object || object->stock || object->kind == GdiKind::DeviceContext) return FALSE;
  Table().objects.erase(reinterpret_cast<uintptr_t>(handle));
  return TRUE;
}
