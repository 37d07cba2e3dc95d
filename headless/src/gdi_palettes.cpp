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

namespace {

// A window's palette is realised in the foreground only while the window, or the top-level window
// it belongs to, is the foreground window; the screen's own context counts as in the foreground.
bool InForeground(const GdiObject& dc) {
  if (dc.backgroundPalette)
    return false;
  if (!dc.window)
    return true;
  for (HWND window = dc.window; window; window = GetParent(window)) {
    if (window == TheWorld().foreground)
      return true;
  }
  return false;
}

}  // namespace

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
  if (TheWorld().bitsPerPixel == 8 && InForeground(*target))
    TheGdi().systemPalette = palette->entries;
  return static_cast<UINT>(palette->entries.size());
}

BOOL WINAPI UnrealizeObject(HGDIOBJ object) {
  LogCall("UnrealizeObject", object);
  GdiObject* found = FindGdiObject(object);
  if (!found || found->stock)
    return FALSE;
  if (found->kind == GdiKind::Palette)
    found->realized = false;
  return TRUE;
}
