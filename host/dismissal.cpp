#include "host/dismissal.h"

#include <cstdlib>

#include "host/host_state.h"
#include "host/saver_window.h"

namespace {

// A close request this soon after a verification ended is the tail of the same user action.
const DWORD kVerifyQuietMilliseconds = 200;
const DWORD kNoVerificationYet = 0xFFFFFFFF;

void RequestClose(HWND window) {
  PostMessageA(window, WM_CLOSE, 0, 0);
}

UINT CursorTravel(const POINT& from, const POINT& to) {
  return static_cast<UINT>(std::labs(static_cast<long>(to.x) - from.x) +
                           std::labs(static_cast<long>(to.y) - from.y));
}

void CheckMouseTravel(HWND window) {
  POINT cursor = {};
  GetCursorPos(&cursor);
  if (CursorTravel(hostState.lastCursor, cursor) > hostState.wakeThreshold) {
    RequestClose(window);
    hostState.lastCursor = cursor;
  }
}

}  // namespace

BOOL VerifyBeforeClose(HWND window) {
  if (hostState.verifying || hostState.closing)
    return FALSE;
  if (!hostState.verifyPassword) {
    hostState.closing = TRUE;
    return TRUE;
  }
  DWORD now = GetTickCount();
  if (hostState.lastVerifyTick != kNoVerificationYet &&
      now - hostState.lastVerifyTick < kVerifyQuietMilliseconds) {
    return FALSE;
  }
  hostState.verifying = TRUE;
  // Ticks queued while the user was typing would otherwise all be drawn at once afterwards.
  MSG discarded;
  PeekMessageA(&discarded, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
  PeekMessageA(&discarded, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
  hostState.closing = SendMessageA(window, WM_APP, 0, 0) != 0;
  hostState.verifying = FALSE;
  if (!hostState.closing)
    HideSaverCursor();
  hostState.lastVerifyTick = GetTickCount();
  return hostState.closing;
}

LRESULT DefaultSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (hostState.previewMode || hostState.closing)
    return DefWindowProcA(window, message, wParam, lParam);

  if (message == WM_CLOSE) {
    if (hostState.onWindows95 && !VerifyBeforeClose(window)) {
      GetCursorPos(&hostState.lastCursor);
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  if (message == WM_APP && hostState.onWindows95) {
    return hostState.verifyPassword ? hostState.verifyPassword(window) : 1;
  }
  if (hostState.verifying)
    return DefWindowProcA(window, message, wParam, lParam);

  switch (message) {
    case WM_SHOWWINDOW:
      if (wParam)
        HideSaverCursor();
      break;
    case WM_ACTIVATEAPP:
      if (!wParam)
        RequestClose(window);
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      RequestClose(window);
      break;
    case WM_SETCURSOR:
      HideSaverCursor();
      return 1;
    case WM_MOUSEMOVE:
      CheckMouseTravel(window);
      break;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
