// The window timer that paces the frames, with the system timer resolution raised while it runs.
#pragma once
#include <windows.h>

// True between a start and the next stop; makes stopping idempotent.
extern BOOL timerRunning;

UINT StartFrameTimer(HWND window, UINT resolution, UINT timerId, UINT interval, TIMERPROC procedure);
void StopFrameTimer(HWND window, UINT resolution, UINT timerId);
