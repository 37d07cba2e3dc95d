// The configuration dialog (resource 2003): one check box that turns the actions' sounds on or off.
#pragma once
#include <windows.h>

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
