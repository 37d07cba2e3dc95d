#include "tools/render/saving_run.h"

#include <climits>
#include <string>

#include "headless/control.h"
#include "host/entry.h"
#include "host/host_state.h"

namespace {

const uint32_t kFrameInterval = 110;
// Half a frame after a tick is due: the tick has been drawn and the next one is not yet due.
const uint32_t kLookDelay = kFrameInterval / 2;

void StartMachine(int width, int height, int bitsPerPixel, uint32_t now) {
  HeadlessReset();
  HeadlessSetScreen(width, height);
  HeadlessSetBitsPerPixel(bitsPerPixel);
  HeadlessSetNow(now);
  HeadlessSetMessageBudget(INT_MAX);
  // As on every Windows machine; the saver's settings live below it.
  HeadlessRegistryCreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE");
}

int RunMode(const std::string& arguments) {
  return DispatchMode(GetModuleHandleA(nullptr), arguments.c_str(), SW_SHOWDEFAULT);
}

void LookAfterTick(const SavingRun& run, long tick) {
  HeadlessAt(run.seed + static_cast<uint32_t>(tick) * kFrameInterval + kLookDelay, [&run, tick] {
    const bool goOn = run.afterTick ? run.afterTick(tick, hostState.saverWindow) : true;
    if (goOn && tick < run.ticks)
      LookAfterTick(run, tick + 1);
    else
      HeadlessPostToForeground(WM_KEYDOWN, VK_SPACE);
  });
}

}  // namespace

int RunSavingMode(const SavingRun& run) {
  StartMachine(run.width, run.height, run.bitsPerPixel, run.seed);
  LookAfterTick(run, 1);
  return RunMode("/s");
}

int RunPreviewMode(int width, int height, const std::function<void(HWND window)>& shown) {
  StartMachine(1024, 768, 32, 0);
  HWND host = HeadlessCreateForeignWindow("Display Properties", width, height);
  HeadlessAt(kFrameInterval + kLookDelay, [&shown] {
    shown(hostState.saverWindow);
    DestroyWindow(hostState.saverWindow);
  });
  return RunMode("/p " + std::to_string(reinterpret_cast<uintptr_t>(host)));
}
