#include "app/saver_proc.h"

#include <mmsystem.h>

#include "app/display_check.h"
#include "app/display_system.h"
#include "app/frame_timer.h"
#include "app/saver_lifecycle.h"
#include "app/saver_layout.h"
#include "app/saver_state.h"
#include "app/settings.h"
#include "host/dismissal.h"
#include "host/host_state.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "render/preview_still.h"
#include "scene/scene_random.h"
#include "scene/scene_tick.h"

namespace {

const UINT kTimerResolution = 1;
const UINT kFrameTimerId = 1;
const int kBlackErases = 10;

}  // namespace

LRESULT SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return CreateSaver(window) ? 0 : -1;
    case WM_DESTROY:
      DestroySaver(window);
      return 0;
    case WM_ERASEBKGND:
      return EraseSaverBackground(window, reinterpret_cast<HDC>(wParam));
    case WM_TIMER:
      TickSaver(window);
      return 0;
    case WM_POWERBROADCAST:
      return FollowDisplayState(wParam, lParam) ? TRUE : DefaultSaverProc(window, message, wParam, lParam);
    case WM_QUERYNEWPALETTE:
      if (mainPalette.handle)
        return RemapMainPalette(window);
      return DefaultSaverProc(window, message, wParam, lParam);
    default:
      return DefaultSaverProc(window, message, wParam, lParam);
  }
}

BOOL CreateSaver(HWND window) {
  BOOL saving = !hostState.previewMode;
  if (!CheckDisplayDepth(window, kSaverTitle, saving, saving))
    return FALSE;
  LoadSettings(window);
  ApplySoundSetting();
  ClearSystemPalette();
  SeedSceneRandom(timeGetTime());
  if (!InitSaver(window)) {
    if (saving)
      ReportError(window, kSaverTitle, saverState.errorKind);
    return FALSE;
  }
  saverState.timerId = StartFrameTimer(window, kTimerResolution, kFrameTimerId,
                                       static_cast<UINT>(saverState.frameInterval), nullptr);
  if (!saverState.timerId) {
    // The destruction that follows releases only an initialised saver, so this failure must.
    ShutdownSaver();
    return FALSE;
  }
  saverState.initialised = TRUE;
  if (saving)
    saverState.displayWatch = WatchDisplayState(window);
  return TRUE;
}

void DestroySaver(HWND window) {
  if (saverState.initialised) {
    StopWatchingDisplayState(saverState.displayWatch);
    saverState.displayWatch = nullptr;
    StopFrameTimer(window, kTimerResolution, saverState.timerId);
    ShutdownSaver();
  }
  PostQuitMessage(0);
}

// The palette realised at creation, before the saver window became the foreground window, is mapped
// as a background palette onto the reserved colours; once active the saver takes the system
// palette's free entries. Some systems keep a palette's first mapping until it is unrealised.
LRESULT RemapMainPalette(HWND window) {
  UnrealizeObject(mainPalette.handle);
  HDC dc = GetDC(window);
  HPALETTE previous = SelectPalette(dc, mainPalette.handle, FALSE);
  RealizePalette(dc);
  SelectPalette(dc, previous, FALSE);
  ReleaseDC(window, dc);
  return TRUE;
}

void TickSaver(HWND window) {
  // A dark display, or a display change that left no frame buffer, is not drawn on.
  if (!hostState.previewMode && (saverState.displayOff || !frameBuffer.bits))
    return;
  HDC dc = GetDC(window);
  bool selectPalette = displayMetrics.bitsPerPixel == 8 && mainPalette.handle;
  HPALETTE previous = nullptr;
  if (selectPalette) {
    previous = SelectPalette(dc, mainPalette.handle, FALSE);
    RealizePalette(dc);
  }
  if (hostState.previewMode) {
    // A preview draws once.
    StopFrameTimer(window, kTimerResolution, saverState.timerId);
    DrawPreviewStill(dc, animationLibrary, displayMetrics.clientWidth, displayMetrics.clientHeight);
  } else {
    SceneTick(window, dc);
  }
  if (selectPalette)
    SelectPalette(dc, previous, FALSE);
  ReleaseDC(window, dc);
}

LRESULT EraseSaverBackground(HWND window, HDC dc) {
  if (saverState.eraseCount < kBlackErases) {
    ++saverState.eraseCount;
    RECT client = {};
    GetClientRect(window, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  return 1;
}

bool FollowDisplayState(WPARAM wParam, LPARAM lParam) {
  const long state = DisplayStateOf(wParam, lParam);
  if (state < 0)
    return false;
  const BOOL off = state == static_cast<long>(kDisplayOff);
  if (saverState.displayOff && !off)
    RepaintSaver();
  saverState.displayOff = off;
  return true;
}
