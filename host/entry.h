// Process entry and the choice of mode from the command line.
#pragma once
#include <windows.h>

[[noreturn]] void SaverEntry();
// The command line after the program name and the white space that follows it.
const char* ArgumentText(const char* commandLine);
int DispatchMode(HINSTANCE instance, const char* argumentText, int showCommand);
int StartPreview(const char* text);
UINT ParseWindowHandle(const char* text);
HWND WindowFromNumber(UINT number);
INT_PTR ShowConfiguration(HWND owner);
int StartPasswordChange(const char* text);
void SetSaverRunning(BOOL on);
