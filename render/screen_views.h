// Where the frame buffer shows: the saver window and, when the scene shows on every monitor, the
// cover of each other monitor. A view shows each frame-buffer pixel as a factor x factor square
// from its window's top-left corner, the scene's centre on the centre of its own Logical screen.
#pragma once
#include <windows.h>

struct ScreenView {
  HWND window;
  int factor;
  int logicalWidth;  // the window's client size divided by the factor
  int logicalHeight;
  int shiftX;  // frame-buffer pixel (x, y) shows at the view's logical (x + shiftX, y + shiftY)
  int shiftY;
};

// Monitors beyond this stay black.
const int kMaxScreenViews = 16;

// Scaled rows on their way to a window: one band of a rectangle at a time.
struct ScaledBand {
  BITMAPINFO* header = nullptr;
  HBITMAP bitmap = nullptr;
  HDC memoryDC = nullptr;
  BYTE* bits = nullptr;
  LONG width = 0;
  LONG rows = 0;
};

struct ScreenViews {
  ScreenView views[kMaxScreenViews] = {};
  int count = 0;
  ScaledBand band;
};

extern ScreenViews screenViews;

// A view of the frame buffer (which must exist) on `window`, whose client area is width x height.
// FALSE when every view is taken.
BOOL AddScreenView(HWND window, int width, int height, int factor);
// Makes the band that the views' factors need, outside the tick; FALSE when it cannot be made.
BOOL PrepareScaledBand(HWND window);
// Forgets the views and releases the band.
void ClearScreenViews();

// Shows rectangle r of the frame buffer on one view through dc.
void ShowRect(HDC dc, const ScreenView& view, const RECT& r);
// Shows every dirty rectangle on every view: the first view through target, the others through
// their own windows' contexts. Without views, target shows the frame buffer as it is.
void ShowDirtyRects(HDC target);
// The whole frame buffer on every view, each window's margins black.
void ShowWholeFrame();
