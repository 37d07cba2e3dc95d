#include "saver_run/saving_run.h"

#include <climits>
#include <string>

#include "app/settings.h"
#include "headless/control.h"
#include "host/entry.h"
#include "host/host_state.h"

namespace {

const uint32_t kFrameInterval = 110;
// Half a frame after a tick is due: the tick has been drawn and the next one is not yet due.
const uint32_t kLookDelay = kFrameInterval / 2;

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

void StartHeadlessMachine(int width, int height, int bitsPerPixel) {
  HeadlessReset();
  HeadlessSetScreen(width, height);
  HeadlessSetBitsPerPixel(bitsPerPixel);
  HeadlessSetMessageBudget(INT_MAX);
  HeadlessRegistryCreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE");
  HeadlessRegistryCreateKey(HKEY_CURRENT_USER, "Software");
}

int RunSavingTicks(const SavingRun& run) {
  HeadlessSetNow(run.seed);
  LookAfterTick(run, 1);
  return RunMode("/s");
}

int RunSavingMode(const SavingRun& run) {
  StartHeadlessMachine(run.width, run.height, run.bitsPerPixel);
  HeadlessSetMonitorDpi(0, run.dpi);
  // A default run leaves the registry as a fresh machine has it.
  if (run.size != 0)
    HeadlessRegistrySetDword(
        settingsKey.root, std::string(settingsKey.parentPath) + "\\" + settingsKey.subPath, "Size", run.size);
  return RunSavingTicks(run);
}

int RunPreviewMode(int width, int height, const std::function<void(HWND window)>& shown) {
  StartHeadlessMachine(1024, 768, 32);
  HWND host = HeadlessCreateForeignWindow("Display Properties", width, height);
  HeadlessAt(HeadlessNow() + kFrameInterval + kLookDelay, [&shown] {
    shown(hostState.saverWindow);
    DestroyWindow(hostState.saverWindow);
  });
  return RunMode("/p " + std::to_string(reinterpret_cast<uintptr_t>(host)));
}
