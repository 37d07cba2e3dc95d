// How the Logical screen lies on the monitors: its size from the main monitor and its factor, and
// the views that show it; made at creation and again whenever the displays change.
#pragma once
#include <windows.h>

// The main monitor's DPI and factor, into displayMetrics; the saver window must cover the screen.
void MeasureScale(HWND window);
// The saver window's view of the frame buffer (which must exist). FALSE when it cannot be shown.
BOOL ShowOnSaverWindow(HWND window);
// With the scene on every monitor, the cover of `monitor` (whose area is given) shows it too.
void ShowOnCover(HWND cover, HMONITOR monitor, const RECT& area);
// After a display change: the window covers the new screen, and the frame buffer is made again
// when the Logical screen changed, the scene moved to its new centre. Covers are the host's.
void RelayoutSaver(HWND window);
// Everything the views show, drawn again whole.
void RepaintSaver();
