// lomlom-render: the saver's own code on a headless screen, frame by frame, for pictures of what
// it shows and logs to check the real saver against.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "headless/control.h"
#include "saver_run/frame_log.h"
#include "tools/render/gif_film.h"
#include "tools/render/png_file.h"
#include "tools/render/render_options.h"
#include "saver_run/saving_run.h"

namespace {

const int kFrameDelay = 11;  // hundredths of a second: the saver's 110 ms

int Failed(const std::string& reason) {
  std::fprintf(stderr, "lomlom-render: %s\n", reason.c_str());
  return 1;
}

// "NAME flags" for each PlaySoundA call logged as "NAME module=M flags=F".
void LogSounds(std::ofstream& log, long tick) {
  for (const std::string& call : HeadlessCallsOf("PlaySoundA")) {
    const size_t module = call.find(" module=");
    const size_t flags = call.rfind(" flags=");
    const std::string name = call.substr(0, module);
    const unsigned long value = flags == std::string::npos ? 0 : std::stoul(call.substr(flags + 7));
    char line[160];
    std::snprintf(line, sizeof line, "%ld %s 0x%lx\n", tick, name == "<null>" ? "NULL" : name.c_str(), value);
    log << line;
  }
}

int RenderSaving(const RenderOptions& options) {
  // The folder first: a log may be asked for inside it.
  std::error_code noError;
  if (!options.pngDir.empty() && !std::filesystem::create_directories(options.pngDir, noError) && noError)
    return Failed("cannot make the folder " + options.pngDir);
  std::ofstream soundLog, frameLog;
  if (!options.soundLog.empty()) {
    soundLog.open(options.soundLog);
    if (!soundLog)
      return Failed("cannot write " + options.soundLog);
    soundLog << "# tick sound flags\n";
  }
  if (!options.frameLog.empty()) {
    frameLog.open(options.frameLog);
    if (!frameLog)
      return Failed("cannot write " + options.frameLog);
    frameLog << "# tick hash action quadrant logo frame\n";
  }

  GifFilm film;
  std::string failure;
  SavingRun run;
  run.width = options.width;
  run.height = options.height;
  run.bitsPerPixel = options.bitsPerPixel;
  run.seed = options.seed;
  run.dpi = options.dpi;
  run.size = options.fit;
  run.ticks = options.ticks;
  const bool picturesWanted =
      !options.pngDir.empty() || !options.gifPath.empty() || !options.frameLog.empty();
  HeadlessSurface screen;
  uint32_t hash = 0;
  run.afterTick = [&](long tick, HWND window) {
    // A screen that did not change keeps its copy and its hash, which on a large screen cost more
    // than the tick itself.
    const RECT changed = HeadlessTakeSurfaceChanges(window);
    if (picturesWanted && (tick == 1 || changed.right > changed.left)) {
      HeadlessReadWindowSurface(window, &screen);
      if (frameLog.is_open())
        hash = ScreenHash(screen, options.bitsPerPixel);
    }
    if (!options.pngDir.empty()) {
      char name[32];
      std::snprintf(name, sizeof name, "/tick-%05ld.png", tick);
      if (!WritePng(options.pngDir + name, screen)) {
        failure = "cannot write " + options.pngDir + name;
        return false;
      }
    }
    if (!options.gifPath.empty())
      AddToFilm(&film, screen, options.gifScale, kFrameDelay);
    if (soundLog.is_open())
      LogSounds(soundLog, tick);
    if (frameLog.is_open())
      frameLog << FrameLogLine(tick, hash) << '\n';
    // The machine's logs would otherwise grow with every tick.
    HeadlessClearLogs();
    return true;
  };
  const int exitCode = RunSavingMode(run);
  if (!failure.empty())
    return Failed(failure);
  if (exitCode != 0)
    return Failed("the saver ended with " + std::to_string(exitCode));
  if (!options.gifPath.empty() && !WriteGifFilm(options.gifPath, film, &failure))
    return Failed(failure);
  if ((soundLog.is_open() && !soundLog.flush()) || (frameLog.is_open() && !frameLog.flush()))
    return Failed("cannot finish the logs");
  return 0;
}

int RenderPreview(const RenderOptions& options) {
  bool written = false;
  const int exitCode = RunPreviewMode(options.width, options.height, [&](HWND window) {
    written = WritePng(options.previewOut, HeadlessWindowSurface(window));
  });
  if (!written)
    return Failed("cannot write " + options.previewOut);
  if (exitCode != 0)
    return Failed("the preview ended with " + std::to_string(exitCode));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  RenderOptions options;
  std::string error;
  if (!ParseRenderOptions(argc, argv, &options, &error)) {
    std::fprintf(stderr, "lomlom-render: %s\n%s", error.c_str(), kRenderUsage);
    return 2;
  }
  return options.mode == RenderMode::kSaving ? RenderSaving(options) : RenderPreview(options);
}
