#include "app/saver_layout.h"

#include "app/display_system.h"
#include "app/saver_lifecycle.h"
#include "app/saver_state.h"
#include "app/scale_factor.h"
#include "app/settings.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "render/screen_views.h"
#include "scene/scene_recentre.h"

void MeasureScale(HWND window) {
  displayMetrics.dpi = MonitorDpi(MonitorOfWindow(window));
  displayMetrics.scaleFactor =
      ScaleFactor(displayMetrics.dpi, displayMetrics.clientWidth, displayMetrics.clientHeight, sizeSetting);
  displayMetrics.logicalWidth = displayMetrics.clientWidth / displayMetrics.scaleFactor;
  displayMetrics.logicalHeight = displayMetrics.clientHeight / displayMetrics.scaleFactor;
}

BOOL ShowOnSaverWindow(HWND window) {
  ClearScreenViews();
  return AddScreenView(window, displayMetrics.clientWidth, displayMetrics.clientHeight,
                       displayMetrics.scaleFactor) &&
         PrepareScaledBand(window);
}

void ShowOnCover(HWND cover, HMONITOR monitor, const RECT& area) {
  if (monitorsSetting != kEveryMonitor || !frameBuffer.bits || screenViews.count == 0)
    return;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (!AddScreenView(cover, width, height, ScaleFactor(MonitorDpi(monitor), width, height, sizeSetting)))
    return;
  // A cover whose rows cannot be scaled stays black.
  if (!PrepareScaledBand(cover))
    --screenViews.count;
}

void RelayoutSaver(HWND window) {
  SetWindowPos(window, nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
               SWP_NOZORDER | SWP_NOACTIVATE);
  MeasureDisplay(window);
  MeasureScale(window);
  ClearScreenViews();
  if (!frameBuffer.bits || frameBuffer.width != displayMetrics.logicalWidth ||
      frameBuffer.height != displayMetrics.logicalHeight ||
      frameBuffer.bitsPerPixel != displayMetrics.bitsPerPixel) {
    // Without a frame buffer the tick draws nothing until the next change brings one.
    if (!CreateFrameBuffer(window, displayMetrics.logicalWidth, displayMetrics.logicalHeight,
                           mainPalette.entries))
      return;
    RecentreScene(frameBuffer.width, frameBuffer.height);
  }
  if (!ShowOnSaverWindow(window))
    ReleaseFrameBuffer();
}

void RepaintSaver() {
  ShowWholeFrame();
}
