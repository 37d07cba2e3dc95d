// The GDI object table: handles, stock objects, deletion, and what tests read about live objects.
#include "gdi.h"

#include "headless/control_gdi.h"
#include "world.h"

namespace {

// The twenty colours that every palette display reserves, and the default palette holds.
const PALETTEENTRY kStaticColours[20] = {
    {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},   {0, 0, 128, 0},
    {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0}, {192, 220, 192, 0}, {166, 202, 240, 0},
    {255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},
    {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
};

// The device context that holds handle selected, or null.
HDC SelectedInto(HGDIOBJ handle) {
  for (const auto& [key, object] : TheGdi().objects) {
    if (object.kind == GdiKind::DeviceContext &&
        (object.selectedBitmap == handle || object.selectedBrush == handle ||
         object.selectedPalette == handle)) {
      return reinterpret_cast<HDC>(key);
    }
  }
  return nullptr;
}

const char* KindName(const GdiObject& object) {
  switch (object.kind) {
    case GdiKind::DeviceContext:
      return object.memory ? "memory device context" : "device context";
    case GdiKind::Brush:
      return "brush";
    case GdiKind::Palette:
      return "palette";
    case GdiKind::Bitmap:
      return "bitmap";
  }
  return "object";
}

HeadlessGdiKind PublicKind(GdiKind kind) {
  switch (kind) {
    case GdiKind::DeviceContext:
      return HeadlessGdiKind::DeviceContext;
    case GdiKind::Brush:
      return HeadlessGdiKind::Brush;
    case GdiKind::Palette:
      return HeadlessGdiKind::Palette;
    case GdiKind::Bitmap:
      return HeadlessGdiKind::Bitmap;
  }
  return HeadlessGdiKind::Any;
}

}  // namespace

GdiTable& TheGdi() {
  static GdiTable table;
  return table;
}

GdiObject* FindGdiObject(HGDIOBJ handle) {
  auto& objects = TheGdi().objects;
  auto found = objects.find(reinterpret_cast<uintptr_t>(handle));
  return found == objects.end() ? nullptr : &found->second;
}

GdiObject* FindGdiObject(HGDIOBJ handle, GdiKind kind) {
  GdiObject* object = FindGdiObject(handle);
  return object && object->kind == kind ? object : nullptr;
}

HGDIOBJ AddGdiObject(GdiObject object) {
  GdiTable& table = TheGdi();
  uintptr_t handle = table.next;
  table.next += 4;
  table.objects[handle] = std::move(object);
  return reinterpret_cast<HGDIOBJ>(handle);
}

void RemoveGdiObject(HGDIOBJ handle) {
  TheGdi().objects.erase(reinterpret_cast<uintptr_t>(handle));
}

HGDIOBJ StockBrush(int index) {
  GdiTable& table = TheGdi();
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
  GdiTable& table = TheGdi();
  if (!table.defaultPalette) {
    GdiObject palette;
    palette.kind = GdiKind::Palette;
    palette.stock = true;
    palette.realized = true;
    palette.entries.assign(kStaticColours, kStaticColours + 20);
    table.defaultPalette = static_cast<HPALETTE>(AddGdiObject(palette));
  }
  return table.defaultPalette;
}

// The one-pixel bitmap that every memory context starts with.
HGDIOBJ DefaultBitmap() {
  GdiTable& table = TheGdi();
  if (!table.defaultBitmap) {
    GdiObject bitmap;
    bitmap.kind = GdiKind::Bitmap;
    bitmap.stock = true;
    bitmap.pixels.width = 1;
    bitmap.pixels.height = 1;
    bitmap.pixels.stride = 4;
    bitmap.pixels.memory.assign(4, 0);
    bitmap.pixels.bits = bitmap.pixels.memory.data();
    table.defaultBitmap = AddGdiObject(std::move(bitmap));
  }
  return table.defaultBitmap;
}

void ResetGdi() {
  TheGdi() = GdiTable();
}

HGDIOBJ WINAPI GetStockObject(int index) {
  if (index < WHITE_BRUSH || index > BLACK_BRUSH)
    return nullptr;
  return StockBrush(index);
}

// Objects still selected into a device context cannot be deleted, as on the real system.
BOOL WINAPI DeleteObject(HGDIOBJ handle) {
  LogCall("DeleteObject", handle);
  GdiObject* object = FindGdiObject(handle);
  if (!object || object->stock || object->kind == GdiKind::DeviceContext || SelectedInto(handle))
    return FALSE;
  RemoveGdiObject(handle);
  return TRUE;
}

int HeadlessLiveGdiObjects(HeadlessGdiKind kind) {
  int count = 0;
  for (const auto& [handle, object] : TheGdi().objects) {
    if (!object.stock && (kind == HeadlessGdiKind::Any || kind == PublicKind(object.kind)))
      ++count;
  }
  return count;
}

std::vector<std::string> HeadlessGdiLeftovers() {
  std::vector<std::string> found;
  for (const auto& [key, object] : TheGdi().objects) {
    const HGDIOBJ handle = reinterpret_cast<HGDIOBJ>(key);
    if (object.stock || object.ownDC)
      continue;
    std::string line = std::string(KindName(object)) + " " + FormatArgument(handle) + " alive";
    if (HDC dc = SelectedInto(handle)) {
      const GdiObject* context = FindGdiObject(dc);
      line += ", selected into " + FormatArgument(dc);
      if (context->window)
        line += std::string(context->ownDC ? " (own context of window " : " (of window ") +
                FormatArgument(context->window) + ")";
    }
    found.push_back(line);
  }
  return found;
}

std::vector<PALETTEENTRY> HeadlessSystemPalette() {
  return TheGdi().systemPalette;
}

std::vector<PALETTEENTRY> HeadlessPaletteEntries(HPALETTE palette) {
  GdiObject* object = FindGdiObject(palette, GdiKind::Palette);
  return object ? object->entries : std::vector<PALETTEENTRY>();
}

HPALETTE HeadlessSelectedPalette(HDC dc) {
  GdiObject* object = FindGdiObject(dc, GdiKind::DeviceContext);
  return object ? object->selectedPalette : nullptr;
}

HGDIOBJ HeadlessSelectedBitmap(HDC dc) {
  GdiObject* object = FindGdiObject(dc, GdiKind::DeviceContext);
  return object ? object->selectedBitmap : nullptr;
}
