#include "tools/render/render_options.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>

const char kRenderUsage[] =
    "usage: lomlom-render saving [--size WxH] [--depth 8|16|24|32] [--dpi N] [--fit follow|actual|fill]\n"
    "                            [--seed N] [--ticks N] [--png-dir DIR] [--gif FILE [--gif-scale N]]\n"
    "                            [--sound-log FILE] [--frame-log FILE]\n"
    "       lomlom-render preview --size WxH --out FILE.png\n"
    "Runs the saver's own code on a headless screen: saving mode tick by tick (defaults: 640x480,\n"
    "32 bits, 96 DPI, follow, seed 0, 536 ticks, one whole cycle), or the preview still in a host of\n"
    "that size. --size is the screen's physical size; --dpi is its DPI and --fit the saver's Size\n"
    "setting (follow: as the display scales it, actual: actual pixels, fill: as large as fits), which\n"
    "together give the whole factor by which the saver scales its picture.\n";

namespace {

const long kMaxSide = 8192;
const long kMaxTicks = 100000000;
// 100 % to 500 % scaling, as Windows offers it.
const long kLowestDpi = 96;
const long kHighestDpi = 480;
const char* const kFits[] = {"follow", "actual", "fill"};

// A whole decimal number from `text` within [low, high].
bool ParseNumber(const char* text, long long low, long long high, long long* value) {
  if (!text || !*text || !std::strchr("0123456789", *text))
    return false;
  errno = 0;
  char* end = nullptr;
  const long long parsed = std::strtoll(text, &end, 10);
  if (errno || *end || parsed < low || parsed > high)
    return false;
  *value = parsed;
  return true;
}

bool ParseSize(const char* text, int* width, int* height) {
  const char* x = text ? std::strchr(text, 'x') : nullptr;
  if (!x)
    return false;
  const std::string widthText(text, x);
  long long w = 0, h = 0;
  if (!ParseNumber(widthText.c_str(), 1, kMaxSide, &w) || !ParseNumber(x + 1, 1, kMaxSide, &h))
    return false;
  *width = static_cast<int>(w);
  *height = static_cast<int>(h);
  return true;
}

bool Fail(std::string* error, const std::string& reason) {
  *error = reason;
  return false;
}

bool ParseOption(const std::string& name, const char* value, RenderOptions* options, std::string* error) {
  long long number = 0;
  const bool saving = options->mode == RenderMode::kSaving;
  if (name == "--size") {
    if (!ParseSize(value, &options->width, &options->height))
      return Fail(error, "--size wants WxH, each side 1 to 8192");
  } else if (name == "--out" && !saving) {
    options->previewOut = value;
  } else if (!saving) {
    return Fail(error, "preview takes only --size and --out, not " + name);
  } else if (name == "--depth") {
    if (!ParseNumber(value, 8, 32, &number) || (number != 8 && number != 16 && number != 24 && number != 32))
      return Fail(error, "--depth wants 8, 16, 24 or 32");
    options->bitsPerPixel = static_cast<int>(number);
  } else if (name == "--dpi") {
    if (!ParseNumber(value, kLowestDpi, kHighestDpi, &number))
      return Fail(error, "--dpi wants a number from 96 to 480");
    options->dpi = static_cast<uint32_t>(number);
  } else if (name == "--fit") {
    const auto fit = std::find_if(std::begin(kFits), std::end(kFits),
                                  [value](const char* known) { return std::strcmp(known, value) == 0; });
    if (fit == std::end(kFits))
      return Fail(error, "--fit wants follow, actual or fill");
    options->fit = static_cast<uint32_t>(fit - std::begin(kFits));
  } else if (name == "--seed") {
    if (!ParseNumber(value, 0, UINT32_MAX, &number))
      return Fail(error, "--seed wants a number from 0 to 4294967295");
    options->seed = static_cast<uint32_t>(number);
  } else if (name == "--ticks") {
    if (!ParseNumber(value, 1, kMaxTicks, &number))
      return Fail(error, "--ticks wants a number from 1 to 100000000");
    options->ticks = static_cast<long>(number);
  } else if (name == "--gif-scale") {
    if (!ParseNumber(value, 1, 16, &number))
      return Fail(error, "--gif-scale wants a number from 1 to 16");
    options->gifScale = static_cast<int>(number);
  } else if (name == "--png-dir") {
    options->pngDir = value;
  } else if (name == "--gif") {
    options->gifPath = value;
  } else if (name == "--sound-log") {
    options->soundLog = value;
  } else if (name == "--frame-log") {
    options->frameLog = value;
  } else {
    return Fail(error, "unknown option " + name);
  }
  return true;
}

}  // namespace

bool ParseRenderOptions(int argc, const char* const* argv, RenderOptions* options, std::string* error) {
  if (argc < 2)
    return Fail(error, "a mode is missing: saving or preview");
  const std::string mode = argv[1];
  if (mode == "saving")
    options->mode = RenderMode::kSaving;
  else if (mode == "preview")
    options->mode = RenderMode::kPreview;
  else
    return Fail(error, "unknown mode " + mode);
  for (int i = 2; i < argc; i += 2) {
    const std::string name = argv[i];
    if (name.rfind("--", 0) != 0)
      return Fail(error, "unexpected argument " + name);
    if (i + 1 >= argc || !*argv[i + 1])
      return Fail(error, name + " wants a value");
    if (!ParseOption(name, argv[i + 1], options, error))
      return false;
  }
  if (options->mode == RenderMode::kPreview && options->previewOut.empty())
    return Fail(error, "preview wants --out FILE.png");
  if (options->mode == RenderMode::kSaving && options->gifScale > 1 && options->gifPath.empty())
    return Fail(error, "--gif-scale goes with --gif");
  return true;
}
