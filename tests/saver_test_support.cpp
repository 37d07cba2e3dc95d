#include "tests/saver_test_support.h"

#include <cstdio>
#include <vector>

#include "app/frame_timer.h"
#include "app/saver_lifecycle.h"
#include "app/saver_state.h"
#include "app/settings.h"
#include "headless/control_gdi.h"
#include "headless/control_resources.h"
#include "host/entry.h"
#include "host/host_state.h"
#include "render/compositor.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "scene/sound_cues.h"

namespace {

void ResetSaverProcess() {
  hostState = HostState();
  displayMetrics = DisplayMetrics();
  saverState = SaverState();
  timerRunning = FALSE;
  soundSetting = 0;
  settingsInitialised = false;
  SoundEnabled = 0;
}

}  // namespace

void SaverTest::SetUp() {
  HeadlessReset();
  ResetSaverProcess();
  HeadlessSetMessageBudget(5000);
}

void SaverTest::TearDown() {
  // Handles are numbered afresh after a reset, so nothing of this test may outlive it.
  ShutdownSaver();
  ClearDrawQueue();
  ClearDirtyList();
  EXPECT_FALSE(HeadlessBudgetExhausted()) << "the message loop never ended";
  EXPECT_EQ(std::vector<std::string>(), HeadlessGdiLeftovers()) << "GDI objects left at the end of the test";
}

int RunMode(const std::string& arguments) {
  return DispatchMode(GetModuleHandleA(nullptr), arguments.c_str(), SW_SHOWDEFAULT);
}

std::string WindowNumber(HWND window) {
  return std::to_string(reinterpret_cast<uintptr_t>(window));
}

void PostToSaverAt(uint32_t time, UINT message, WPARAM wParam, LPARAM lParam) {
  HeadlessAt(time, [=] { PostMessageA(hostState.saverWindow, message, wParam, lParam); });
}

void CheckAliveAt(uint32_t time, bool* alive) {
  HeadlessAt(time, [=] { *alive = IsWindow(hostState.saverWindow) != FALSE; });
}

int CountCalls(const std::string& api) {
  return static_cast<int>(HeadlessCallsOf(api).size());
}

std::string HandleText(const void* handle) {
  char text[32];
  std::snprintf(text, sizeof text, "%#llx",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(handle)));
  return handle ? text : "0";
}
