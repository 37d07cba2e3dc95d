// Black windows over the monitors beside the primary one, where the saver itself runs.
#pragma once
#include <windows.h>

extern const char* const kCoverClassName;

// One topmost black popup, owned by the saver window, over each monitor but the primary; a cover that
// cannot be made is left out. With the scene on every monitor, each cover shows it. Owned windows
// go with their owner, so the covers need no clean-up at the end.
void CoverOtherMonitors(HWND saverWindow);
// Takes the covers down, before a display change covers the monitors afresh.
void RemoveCovers();
