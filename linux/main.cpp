// lomlom: the saver's own code on the headless machine, shown in an X window as an XScreenSaver
// module, with its sounds through SDL. The saver's clock is the real one; X input on a window of
// its own goes into the headless input queue, so the saver's own rules end it.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "app/settings.h"
#include "headless/control.h"
#include "headless/control_gdi.h"
#include "host/entry.h"
#include "host/host_state.h"
#include "linux/options.h"
#include "saver_run/saver_process.h"
#include "linux/sound_player.h"
#include "linux/x_view.h"
#include "saver_run/saving_run.h"

namespace {

const double kFpsReportSeconds = 5.0;

int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  (void)!write(signalPipe[1], &byte, 1);
}

bool CatchSignals() {
  if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
    return false;
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  return sigaction(SIGTERM, &action, nullptr) == 0 && sigaction(SIGINT, &action, nullptr) == 0;
}

double Seconds(clockid_t clock) {
  timespec now;
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9;
}

// What timeGetTime answers on Windows: milliseconds since the machine started.
uint32_t MillisecondsSinceBoot() {
  return static_cast<uint32_t>(static_cast<unsigned long long>(Seconds(CLOCK_MONOTONIC) * 1000.0));
}

struct FpsMeter {
  bool on = false;
  long frames = 0;
  double since = 0;
  double cpuSince = 0;
};

void CountFrame(FpsMeter* meter) {
  if (!meter->on)
    return;
  ++meter->frames;
  const double now = Seconds(CLOCK_MONOTONIC);
  const double cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID);
  if (meter->since == 0) {
    meter->since = now;
    meter->cpuSince = cpu;
    meter->frames = 0;
  } else if (now - meter->since >= kFpsReportSeconds) {
    std::fprintf(stderr, "lomlom: %.1f fps, %.1f%% CPU\n", meter->frames / (now - meter->since),
                 100.0 * (cpu - meter->cpuSince) / (now - meter->since));
    meter->since = now;
    meter->cpuSince = cpu;
    meter->frames = 0;
  }
}

struct Module {
  LinuxOptions options;
  XView view;
  SoundPlayer sound;
  FpsMeter fps;
  Refresh refresh = Refresh::Exposed;
  bool stop = false;     // the user, the daemon or the window's end: lomlom ends
  bool restart = false;  // the window's size changed: the saver starts again at the new size
  bool closing = false;
};

void Show(Module* module) {
  Picture picture;
  picture.pixels = HeadlessSurfacePixels(hostState.saverWindow, &picture.width, &picture.height);
  const RECT changed = HeadlessTakeSurfaceChanges(hostState.saverWindow);
  if (module->refresh == Refresh::Changes && (changed.right <= changed.left || changed.bottom <= changed.top))
    return;
  ShowPicture(&module->view, picture, changed, module->options.fit == Fit::Fill, module->refresh);
  module->refresh = Refresh::Changes;
  CountFrame(&module->fps);
}

// The saver's waits for messages: what it drew goes on the window, then X events and signals are
// watched until the next tick is due.
void Wait(Module* module, int milliseconds) {
  if (hostState.saverWindow)
    Show(module);
  // The machine keeps a log of every call; nothing reads it here.
  HeadlessClearLogs();
  pollfd watched[2] = {{ConnectionNumber(module->view.display), POLLIN, 0}, {signalPipe[0], POLLIN, 0}};
  if (!XPending(module->view.display))
    poll(watched, 2, milliseconds);
  ViewEvents events;
  TakeEvents(&module->view, &events);
  char drained[16];
  if (read(signalPipe[0], drained, sizeof drained) > 0)
    module->stop = true;
  module->stop = module->stop || events.gone;
  if (events.resized)
    module->refresh = Refresh::Everything;
  else if (events.exposed && module->refresh == Refresh::Changes)
    module->refresh = Refresh::Exposed;
  if (events.resized && module->options.fit == Fit::Follow)
    module->restart = true;
  if ((module->stop || module->restart) && !module->closing && hostState.saverWindow) {
    PostMessageA(hostState.saverWindow, WM_CLOSE, 0, 0);
    module->closing = true;
  }
}

// One run of saving mode on a fresh machine of the picture's size, the window first refreshed as
// `first` says; returns the saver's exit code.
int RunSaver(Module* module, int width, int height, Refresh first) {
  ResetSaverProcess();
  StartHeadlessMachine(width, height, module->view.bitsPerPixel);
  HeadlessRegistrySetDword(settingsKey.root, std::string(settingsKey.parentPath) + "\\" + settingsKey.subPath,
                           "Sound", module->options.sound ? 1 : 0);
  HeadlessSetSoundOutput([module](const BYTE* wave, DWORD size) { PlayWave(&module->sound, wave, size); });
  if (module->view.own) {
    int x = 0, y = 0;
    PointerPosition(module->view, &x, &y);
    HeadlessSetCursor(x, y);
  }
  module->restart = module->closing = false;
  module->refresh = first;
  HeadlessUseRealClock(MillisecondsSinceBoot(), [module](int milliseconds) { Wait(module, milliseconds); });
  return DispatchMode(GetModuleHandleA(nullptr), "/s", SW_SHOWDEFAULT);
}

int Failed(const std::string& reason) {
  std::fprintf(stderr, "lomlom: %s\n", reason.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  Module module;
  std::string error;
  if (!ParseLinuxOptions(argc, argv, std::getenv("XSCREENSAVER_WINDOW"), &module.options, &error)) {
    std::fprintf(stderr, "lomlom: %s\n%s", error.c_str(), kLinuxUsage);
    return 1;
  }
  if (module.options.help) {
    std::fputs(kLinuxUsage, stdout);
    return 0;
  }
  if (!CatchSignals())
    return Failed("cannot watch for signals");
  if (!OpenView(module.options, &module.view, &error)) {
    CloseView(&module.view);
    return Failed(error);
  }
  module.fps.on = module.options.fps;
  if (module.options.sound)
    StartSound(&module.sound);
  const int firstWidth = module.view.width;
  const int firstHeight = module.view.height;
  // The image starts black, as the saver's screen does; a later run starts on what the last one left.
  int exitCode = 0;
  Refresh first = Refresh::Exposed;
  do {
    const bool follow = module.options.fit == Fit::Follow;
    exitCode = RunSaver(&module, follow ? module.view.width : firstWidth,
                        follow ? module.view.height : firstHeight, first);
    first = Refresh::Everything;
  } while (exitCode == 0 && module.restart && !module.stop);
  StopSound(&module.sound);
  CloseView(&module.view);
  return exitCode == 0 ? 0 : Failed("the saver ended with " + std::to_string(exitCode));
}
