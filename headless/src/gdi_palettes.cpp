// Logical palettes, their selection into device contexts, and realisation on the screen.
#include "gdi.h"
#include "world.h"

HPALETTE WINAPI CreatePalette(const LOGPALETTE* palette) {
  LogCall("CreatePalette", palette ? palette->palNumEntries : 0);
  if (!palette || palette->palNumEntries == 0 || palette->palVersion != 0x300 || ShouldFail("CreatePalette"))
    return nullptr;
  GdiObject object;
  object.kind = GdiKind::Palette;
  object.entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
  return static_cast<HPALETTE>(AddGdiObject(object));
}

HPALETTE WINAPI SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground) {
  LogCall("SelectPalette", dc, " ", palette, " bg=", forceBackground);
  GdiObject* target = FindGdiObject(dc, GdiKind::DeviceContext);
  if (!target || !FindGdiObject(palette, GdiKind::Palette))
    return nullptr;
  HPALETTE previous = target->selectedPalette;
  target->selectedPalette = palette;
  target->backgroundPalette = forceBackground != FALSE;
  return previous;
}

// A foreground palette realised on a palette display takes over the screen's colours.
UINT WINAPI RealizePalette(HDC dc) {
  LogCall("RealizePalette", dc);
  GdiObject* target = FindGdiObject(dc, GdiKind::DeviceContext);
  if (!target)
    return GDI_ERROR;
  GdiObject* palette = FindGdiObject(target->selectedPalette, GdiKind::Palette);
  if (!palette || palette->stock)
    return 0;
  palette->realized = true;
  if (TheWorld().bitsPerPixel == 8 && !target->backgroundPalette)
    TheGdi().systemPalette = palette->entries;
  return static_cast<UINT>(palette->entries.size());
}
