// What the saver builds at creation and releases at destruction.
#pragma once
#include <windows.h>

void MeasureDisplay(HWND window);
BOOL InitSaver(HWND window);
void ShutdownSaver();
// Offers each active actor its first action.
void StartActors();
