// The start-up failures that stop the saver, and the one routine that tells the user about them.
#pragma once
#include <windows.h>

enum class ErrorKind : int { None = 0, NoMemory = 1, InitFailed = 2, DisplayDepth = 3 };

void ReportError(HWND window, const char* title, ErrorKind kind);
