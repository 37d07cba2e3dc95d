// The application's window procedure and the saver's life cycle: creation, frame tick, destruction.
#pragma once
#include <windows.h>

LRESULT SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL CreateSaver(HWND window);
void DestroySaver(HWND window);
void TickSaver(HWND window);
// Answers WM_QUERYNEWPALETTE: the main palette mapped afresh as the foreground palette.
LRESULT RemapMainPalette(HWND window);
LRESULT EraseSaverBackground(HWND window, HDC dc);
// A WM_POWERBROADCAST about the display: nothing is drawn while it is off, and all of it is drawn
// again when it comes back. False for any other power message.
bool FollowDisplayState(WPARAM wParam, LPARAM lParam);
