// The host's process-wide values, shared by the entry, the saver window, the dismissal rules, the
// password services and the application.
#pragma once
#include <windows.h>

typedef BOOL(WINAPI* VerifyPasswordEntry)(HWND window);
typedef HANDLE InputContext;
typedef InputContext(WINAPI* AssociateContextEntry)(HWND window, InputContext context);

// Monitors beyond this stay uncovered.
const int kMaxCovers = 32;

struct HostState {
  HINSTANCE instance = nullptr;
  HWND saverWindow = nullptr;
  BOOL previewMode = FALSE;
  BOOL closing = FALSE;
  BOOL verifying = FALSE;
  HMODULE verifierLibrary = nullptr;
  VerifyPasswordEntry verifyPassword = nullptr;
  HMODULE imeModule = nullptr;
  AssociateContextEntry associateContext = nullptr;
  InputContext savedInputContext = nullptr;
  BOOL onWindows95 = FALSE;
  UINT wakeThreshold = 4;
  DWORD lastVerifyTick = 0xFFFFFFFF;
  POINT lastCursor = {0, 0};
  HWND covers[kMaxCovers] = {};  // the black windows over the other monitors
  int coverCount = 0;
  BOOL coverClassReady = FALSE;
};

extern HostState hostState;
