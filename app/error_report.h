// The start-up failures that stop the saver, and the one routine that tells the user about them.
#pragma once
#include <windows.h>

enum class ErrorKind : int { kNone = 0, kNoMemory = 1, kInitFailed = 2, kDisplayDepth = 3 };

void ReportError(HWND window, const char* title, ErrorKind kind);
