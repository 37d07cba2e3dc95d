// Runs the saver's own saving or preview mode on the headless machine, tick by tick, so that tools
// and long runs can look at every frame the saver draws.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>

struct SavingRun {
  int width = 640;
  int height = 480;
  int bitsPerPixel = 32;
  uint32_t seed = 0;  // what timeGetTime answers when the saver window is created
  long ticks = 1;
  // Called after each frame tick (1, 2, ...) with the saver window; false ends the run early.
  std::function<bool(long tick, HWND window)> afterTick;
};

// The saver ends as after a key press once the last tick is done. Returns the mode's exit code.
int RunSavingMode(const SavingRun& run);

// The preview inside a host whose client area is width x height: the saver window once its still
// is drawn is handed to `shown`. Returns the mode's exit code.
int RunPreviewMode(int width, int height, const std::function<void(HWND window)>& shown);
