#include "render/screen_views.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "render/blit.h"
#include "render/dirty_list.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "render/scaled_rows.h"

ScreenViews screenViews;

namespace {

// Physical rows of one band: a few megabytes even across an 8K monitor.
const LONG kBandRows = 256;

// The frame buffer on a window exactly as it is.
const ScreenView kAsItIs = {nullptr, 1, 0, 0, 0, 0};

int Extent(LONG start, LONG end) {
  return static_cast<int>(int64_t{end} - start);
}

bool Identity(const ScreenView& view) {
  return view.factor == 1 && view.shiftX == 0 && view.shiftY == 0;
}

void ReleaseBand(ScaledBand* band) {
  if (band->memoryDC)
    DeleteDC(band->memoryDC);
  if (band->bitmap)
    DeleteObject(band->bitmap);
  std::free(band->header);
  *band = ScaledBand{};
}

// The view's window context, with the main palette realised in the background on a palette display.
HDC ViewContext(const ScreenView& view, HPALETTE* previous) {
  HDC dc = GetDC(view.window);
  *previous = nullptr;
  if (dc && frameBuffer.bitsPerPixel == 8 && mainPalette.handle) {
    *previous = SelectPalette(dc, mainPalette.handle, TRUE);
    RealizePalette(dc);
  }
  return dc;
}

void ReleaseViewContext(const ScreenView& view, HDC dc, HPALETTE previous) {
  if (previous)
    SelectPalette(dc, previous, TRUE);
  ReleaseDC(view.window, dc);
}

void ShowScaled(HDC dc, const ScreenView& view, const RECT& shown) {
  const ScaledBand& band = screenViews.band;
  const int factor = view.factor;
  const LONG width = shown.right - shown.left;
  if (!band.bits || int64_t{width} * factor > band.width || band.rows < factor)
    return;
  const LONG bytesPerPixel = frameBuffer.bytesPerPixel;
  const int64_t sourceStride = FrameBufferRowStride(frameBuffer.width, frameBuffer.bitsPerPixel);
  const int64_t bandStride = FrameBufferRowStride(band.width, frameBuffer.bitsPerPixel);
  const LONG rowsPerBand = band.rows / factor;
  BYTE* bandTop = band.bits + (band.rows - 1) * bandStride;
  for (LONG top = shown.top; top < shown.bottom; top += rowsPerBand) {
    const LONG rows = std::min<LONG>(rowsPerBand, shown.bottom - top);
    const BYTE* source = frameBuffer.bits + (frameBuffer.height - 1 - top) * sourceStride +
                         int64_t{shown.left} * bytesPerPixel;
    // The band's last copy may still be under way.
    GdiFlush();
    ScaleRows(source, static_cast<LONG>(-sourceStride), bandTop, static_cast<LONG>(-bandStride), width, rows,
              bytesPerPixel, factor);
    BitBlt(dc, (shown.left + view.shiftX) * factor, (top + view.shiftY) * factor, width * factor,
           rows * factor, band.memoryDC, 0, 0, SRCCOPY);
  }
}

}  // namespace

BOOL AddScreenView(HWND window, int width, int height, int factor) {
  if (screenViews.count >= kMaxScreenViews || factor < 1)
    return FALSE;
  ScreenView& view = screenViews.views[screenViews.count++];
  view.window = window;
  view.factor = factor;
  view.logicalWidth = width / factor;
  view.logicalHeight = height / factor;
  view.shiftX = view.logicalWidth / 2 - frameBuffer.width / 2;
  view.shiftY = view.logicalHeight / 2 - frameBuffer.height / 2;
  return TRUE;
}

BOOL PrepareScaledBand(HWND window) {
  LONG width = 0;
  LONG rows = 0;
  for (int i = 0; i < screenViews.count; ++i) {
    const ScreenView& view = screenViews.views[i];
    if (view.factor > 1) {
      width = std::max<LONG>(width, view.logicalWidth * view.factor);
      rows = std::max<LONG>(rows, std::max<LONG>(kBandRows, view.factor));
    }
  }
  ScaledBand& band = screenViews.band;
  if (width <= band.width && rows <= band.rows)
    return TRUE;
  ReleaseBand(&band);
  band.header = BuildFrameBufferHeader(frameBuffer.bitsPerPixel, width, rows);
  if (!band.header)
    return FALSE;
  if (frameBuffer.header)
    std::memcpy(band.header->bmiColors, frameBuffer.header->bmiColors, 256 * sizeof(RGBQUAD));
  HDC windowDC = GetDC(window);
  band.memoryDC = CreateCompatibleDC(windowDC);
  void* bits = nullptr;
  band.bitmap = CreateDIBSection(windowDC, band.header, DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(window, windowDC);
  band.bits = static_cast<BYTE*>(bits);
  if (!band.memoryDC || !band.bitmap || !SelectObject(band.memoryDC, band.bitmap)) {
    ReleaseBand(&band);
    return FALSE;
  }
  band.width = width;
  band.rows = rows;
  return TRUE;
}

void ClearScreenViews() {
  ReleaseBand(&screenViews.band);
  screenViews.count = 0;
}

void ShowRect(HDC dc, const ScreenView& view, const RECT& r) {
  if (Identity(view)) {
    CopyRectToWindow(dc, r.left, r.top, Extent(r.left, r.right), Extent(r.top, r.bottom), r.left, r.top);
    return;
  }
  // The part of r inside both the frame buffer and the view's Logical screen.
  RECT shown;
  shown.left = std::max<LONG>(std::max<LONG>(r.left, 0), -view.shiftX);
  shown.top = std::max<LONG>(std::max<LONG>(r.top, 0), -view.shiftY);
  shown.right = std::min<LONG>(std::min<LONG>(r.right, frameBuffer.width), view.logicalWidth - view.shiftX);
  shown.bottom =
      std::min<LONG>(std::min<LONG>(r.bottom, frameBuffer.height), view.logicalHeight - view.shiftY);
  if (shown.right <= shown.left || shown.bottom <= shown.top)
    return;
  if (view.factor == 1) {
    CopyRectToWindow(dc, shown.left + view.shiftX, shown.top + view.shiftY, shown.right - shown.left,
                     shown.bottom - shown.top, shown.left, shown.top);
    return;
  }
  ShowScaled(dc, view, shown);
}

void ShowDirtyRects(HDC target) {
  const ScreenView* views = screenViews.count ? screenViews.views : &kAsItIs;
  const int count = screenViews.count ? screenViews.count : 1;
  for (int i = 0; i < count; ++i) {
    const ScreenView& view = views[i];
    HPALETTE previous = nullptr;
    HDC dc = i == 0 ? target : ViewContext(view, &previous);
    if (!dc)
      continue;
    for (const DirtyRect* dirty = dirtyList; dirty; dirty = dirty->next)
      ShowRect(dc, view, dirty->rect);
    if (i != 0)
      ReleaseViewContext(view, dc, previous);
  }
}

void ShowWholeFrame() {
  const RECT whole = {0, 0, frameBuffer.width, frameBuffer.height};
  for (int i = 0; i < screenViews.count; ++i) {
    const ScreenView& view = screenViews.views[i];
    HPALETTE previous = nullptr;
    HDC dc = ViewContext(view, &previous);
    if (!dc)
      continue;
    RECT client = {};
    GetClientRect(view.window, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (frameBuffer.bits)
      ShowRect(dc, view, whole);
    ReleaseViewContext(view, dc, previous);
  }
}
