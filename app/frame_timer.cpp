#include "app/frame_timer.h"

#include <mmsystem.h>

BOOL timerRunning = FALSE;

UINT StartFrameTimer(HWND window, UINT resolution, UINT timerId, UINT interval, TIMERPROC procedure) {
  if (timeBeginPeriod(resolution) == TIMERR_NOCANDO) {
    MessageBoxA(window, "Resolution is out of range.", nullptr, MB_ICONHAND);
    return 0;
  }
  UINT result = static_cast<UINT>(SetTimer(window, timerId, interval, procedure));
  // Set even when SetTimer failed, so that the stop still lowers the resolution again.
  timerRunning = TRUE;
  return result;
}

void StopFrameTimer(HWND window, UINT resolution, UINT timerId) {
  if (!timerRunning)
    return;
  timeEndPeriod(resolution);
  if (!KillTimer(window, timerId))
    MessageBoxA(window, "KillTimer Failed.", nullptr, MB_ICONHAND);
  timerRunning = FALSE;
}
