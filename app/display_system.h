// What the system tells about its displays beyond what Windows 95 knew: each monitor's DPI and
// whether the display is on. Every entry is looked up at run time; where one is missing the saver
// takes the system's DPI or does without.
#pragma once
#include <windows.h>

// Values of the display state that the system reports.
const DWORD kDisplayOff = 0;

// The monitor's own DPI where the system tells it, else the system's (96 when even that is unknown).
UINT MonitorDpi(HMONITOR monitor);
// The monitor that holds most of the window; null where the system cannot tell.
HMONITOR MonitorOfWindow(HWND window);

// Asks for WM_POWERBROADCAST on the display's state; null where the system offers no such report.
HANDLE WatchDisplayState(HWND window);
void StopWatchingDisplayState(HANDLE registration);
// The display's state carried by a WM_POWERBROADCAST, or -1 when the message tells something else.
long DisplayStateOf(WPARAM wParam, LPARAM lParam);

// Frees what the lookups loaded.
void ReleaseDisplaySystem();
