// The display's colour depth check, with the offer to open the display settings.
#pragma once
#include <windows.h>

BOOL CheckDisplayDepth(HWND window, const char* title, BOOL report, BOOL offerSettings);
BOOL OpenDisplaySettings();
BOOL CheckDisplayForConfiguration();
