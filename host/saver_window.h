// The saver window in its two forms, its message loop, and the host's window procedure.
#pragma once
#include <windows.h>

extern const char* const kSaverClassName;
extern const char* const kSaverWindowTitle;

int RunSaverWindow(HWND parent);
LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Hides the cursor over the full-screen saver; the preview leaves it alone.
void HideSaverCursor();
