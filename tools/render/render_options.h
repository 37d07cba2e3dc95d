// The command line of lomlom-render.
#pragma once
#include <cstdint>
#include <string>

enum class RenderMode { kSaving, kPreview };

struct RenderOptions {
  RenderMode mode = RenderMode::kSaving;
  int width = 640;
  int height = 480;
  int bitsPerPixel = 32;
  uint32_t seed = 0;
  uint32_t dpi = 96;
  uint32_t fit = 0;  // the saver's Size setting: 0 follow, 1 actual, 2 fill
  long ticks = 536;  // one whole cycle of the five actions with their pauses
  std::string pngDir;
  std::string gifPath;
  int gifScale = 1;
  std::string soundLog;
  std::string frameLog;
  std::string previewOut;
};

extern const char kRenderUsage[];

// False with the reason in `error` when the arguments are not a valid command line.
bool ParseRenderOptions(int argc, const char* const* argv, RenderOptions* options, std::string* error);
