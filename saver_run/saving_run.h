// Runs the saver's own saving or preview mode on the headless machine, tick by tick, so that tools,
// tests and long runs can look at every frame the saver draws.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>

struct SavingRun {
  int width = 640;
  int height = 480;
  int bitsPerPixel = 32;
  uint32_t seed = 0;  // what timeGetTime answers when the saver window is created
  UINT dpi = 96;      // the screen's
  DWORD size = 0;     // the Size setting: 0 follow, 1 actual, 2 fill
  long ticks = 1;
  // Called after each frame tick (1, 2, ...) with the saver window; false ends the run early.
  std::function<bool(long tick, HWND window)> afterTick;
};

// A fresh machine with a screen of that size and depth, set up as a Windows machine is.
void StartHeadlessMachine(int width, int height, int bitsPerPixel);

// Saving mode on the machine as it is (its screen, registry and failures), with the clock at the
// run's seed; the saver ends as after a key press once the last tick is done. Returns the exit code.
int RunSavingTicks(const SavingRun& run);

// A fresh machine of the run's size, depth and DPI, the Size setting stored in the machine's key
// unless it is the default, then RunSavingTicks.
int RunSavingMode(const SavingRun& run);

// The preview inside a host whose client area is width x height: the saver window, once its still
// is drawn, is handed to `shown`. Returns the mode's exit code.
int RunPreviewMode(int width, int height, const std::function<void(HWND window)>& shown);
