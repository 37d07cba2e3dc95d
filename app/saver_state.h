// The application's life-cycle records: what creation measured, and what it built.
#pragma once
#include <windows.h>

#include "app/error_report.h"
#include "sprites/sprite_records.h"

extern const char* const kSaverTitle;

struct DisplayMetrics {
  HINSTANCE instance = nullptr;
  int screenWidth = 0;
  int screenHeight = 0;
  int clientWidth = 0;
  int clientHeight = 0;
  int bitsPerPixel = 0;
  int logicalWidth = 0;
  int logicalHeight = 0;
  UINT dpi = 96;        // of the main monitor
  int scaleFactor = 1;  // of the main monitor
};

struct SaverState {
  int activeActors = 0;
  int frameInterval = 110;
  BOOL initialised = FALSE;
  ErrorKind errorKind = ErrorKind::kNone;
  int eraseCount = 0;
  UINT timerId = 0;
  HANDLE displayWatch = nullptr;
  BOOL displayOff = FALSE;
};

extern DisplayMetrics displayMetrics;
extern SaverState saverState;
// The scene's pictures and placements, loaded at creation and released at destruction.
extern AnimationLibrary* animationLibrary;
