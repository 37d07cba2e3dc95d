// Device contexts: windows' and the screen's, memory contexts, and what is selected into them.
#include "gdi.h"
#include "world.h"

namespace {

HDC NewDeviceContext(HWND window, bool memory, bool ownDC = false) {
  GdiObject dc;
  dc.kind = GdiKind::DeviceContext;
  dc.window = window;
  dc.memory = memory;
  dc.ownDC = ownDC;
  dc.selectedPalette = DefaultPalette();
  dc.selectedBrush = StockBrush(WHITE_BRUSH);
  if (memory)
    dc.selectedBitmap = DefaultBitmap();
  return static_cast<HDC>(AddGdiObject(dc));
}

// A bitmap goes into one memory context at a time; the stock bitmap into any number.
HGDIOBJ SelectBitmap(GdiObject& dc, HDC handle, HGDIOBJ bitmap) {
  GdiObject* object = FindGdiObject(bitmap, GdiKind::Bitmap);
  if (!dc.memory || (!object->stock && object->selectedInto && object->selectedInto != handle))
    return nullptr;
  HGDIOBJ previous = dc.selectedBitmap;
  if (GdiObject* old = FindGdiObject(previous, GdiKind::Bitmap))
    old->selectedInto = nullptr;
  if (!object->stock)
    object->selectedInto = handle;
  dc.selectedBitmap = bitmap;
  return previous;
}

void ReleaseSelections(GdiObject& dc) {
  if (GdiObject* bitmap = FindGdiObject(dc.selectedBitmap, GdiKind::Bitmap))
    bitmap->selectedInto = nullptr;
}

}  // namespace

HDC CreateOwnDC(HWND window) {
  return NewDeviceContext(window, false, true);
}

// The window's context goes with the window; what was still selected into it stays alive.
void DeleteOwnDC(HDC dc) {
  if (GdiObject* object = FindGdiObject(dc, GdiKind::DeviceContext)) {
    ReleaseSelections(*object);
    RemoveGdiObject(dc);
  }
}

HDC WINAPI GetDC(HWND window) {
  LogCall("GetDC", window);
  const WindowRecord* record = FindWindowRecord(window);
  if (ShouldFail("GetDC") || (window && !record))
    return nullptr;
  if (record && record->ownDC)
    return record->ownDC;
  return NewDeviceContext(window, false);
}

// Only common contexts go back; a window's own context keeps its selections.
int WINAPI ReleaseDC(HWND window, HDC dc) {
  LogCall("ReleaseDC", window, " dc=", dc);
  GdiObject* object = FindGdiObject(dc, GdiKind::DeviceContext);
  if (!object || object->memory)
    return 0;
  if (object->ownDC)
    return 1;
  ReleaseSelections(*object);
  RemoveGdiObject(dc);
  return 1;
}

HDC WINAPI CreateCompatibleDC(HDC dc) {
  LogCall("CreateCompatibleDC", dc);
  if (ShouldFail("CreateCompatibleDC") || (dc && !FindGdiObject(dc, GdiKind::DeviceContext)))
    return nullptr;
  return NewDeviceContext(nullptr, true);
}

BOOL WINAPI DeleteDC(HDC dc) {
  LogCall("DeleteDC", dc);
  GdiObject* object = FindGdiObject(dc, GdiKind::DeviceContext);
  if (!object || !object->memory)
    return FALSE;
  ReleaseSelections(*object);
  RemoveGdiObject(dc);
  return TRUE;
}

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
  LogCall("SelectObject", dc, " ", object);
  GdiObject* context = FindGdiObject(dc, GdiKind::DeviceContext);
  GdiObject* selected = FindGdiObject(object);
  if (ShouldFail("SelectObject") || !context || !selected)
    return nullptr;
  switch (selected->kind) {
    case GdiKind::Bitmap:
      return SelectBitmap(*context, dc, object);
    case GdiKind::Brush: {
      HGDIOBJ previous = context->selectedBrush;
      context->selectedBrush = object;
      return previous;
    }
    default:  // palettes go through SelectPalette; contexts cannot be selected
      return nullptr;
  }
}

int WINAPI GetDeviceCaps(HDC dc, int index) {
  int bits = TheWorld().bitsPerPixel;
  if (!FindGdiObject(dc, GdiKind::DeviceContext))
    return 0;
  switch (index) {
    case BITSPIXEL:
      return bits;
    case RASTERCAPS:
      return bits == 8 ? RC_PALETTE : 0;
    case SIZEPALETTE:
      return bits == 8 ? 256 : 0;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return static_cast<int>(SystemDpiFor(TheWorld().threadAwareness));
    default:
      return 0;
  }
}

int WINAPI SetStretchBltMode(HDC dc, int mode) {
  LogCall("SetStretchBltMode", dc, " mode=", mode);
  GdiObject* context = FindGdiObject(dc, GdiKind::DeviceContext);
  if (!context || mode < BLACKONWHITE || mode > HALFTONE)
    return 0;
  const int previous = context->stretchMode;
  context->stretchMode = mode;
  return previous;
}
