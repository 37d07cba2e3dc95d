// The host's default message handling: what ends the saver, and the password check before a close.
#pragma once
#include <windows.h>

LRESULT DefaultSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL VerifyBeforeClose(HWND window);
