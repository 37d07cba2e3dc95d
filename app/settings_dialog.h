// The configuration dialog (resource 2003): a check box that turns the actions' sounds on or off,
// and drop-down lists for the size of the picture and the monitors that show it.
#pragma once
#include <windows.h>

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
