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
#include "saver_run/saver_process.h"
#include "scene/actor.h"
#include "scene/choreography.h"
#include "scene/sound_cues.h"

namespace {

void PutWord(std::vector<BYTE>* bytes, unsigned value) {
  bytes->push_back(static_cast<BYTE>(value));
  bytes->push_back(static_cast<BYTE>(value >> 8));
}

// The native build compiles in only the resource script's file resources, so the configuration
// dialog's template is added here: its frame, size and caption, without controls (the headless
// dialogs only need to find it).
void AddConfigurationDialog() {
  const DWORD kStyle = 0x80 | 0x800 | WS_POPUP | WS_CAPTION | WS_SYSMENU;  // DS_MODALFRAME | DS_CENTER
  std::vector<BYTE> dialog;
  PutWord(&dialog, kStyle & 0xFFFF);
  PutWord(&dialog, kStyle >> 16);
  for (unsigned word : {0u, 0u, 0u, 34u, 32u, 158u, 95u, 0u, 0u})  // no extended style, no controls, no menu
    PutWord(&dialog, word);
  for (const char* c = "Lomlom_action_2 Setup"; *c; ++c)
    PutWord(&dialog, static_cast<BYTE>(*c));
  PutWord(&dialog, 0);
  HeadlessSetResource(RT_DIALOG, MAKEINTRESOURCEA(2003), dialog);
}

}  // namespace

void SaverTest::SetUp() {
  HeadlessReset();
  ResetSaverProcess();
  HeadlessSetMessageBudget(5000);
  AddConfigurationDialog();
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

void WatchCursorOverSmallMoves(uint32_t from, int x, int y, HCURSOR shown, std::vector<HCURSOR>* shapes) {
  for (uint32_t round = 0; round < 4; ++round) {
    const uint32_t at = from + 100 * round;
    HeadlessAt(at, [=] {
      HeadlessSetCursorShape(shown);
      HeadlessMoveCursor(x + 1 - static_cast<int>(round % 2), y);
    });
    HeadlessAt(at + 50, [=] { shapes->push_back(HeadlessCursorShape()); });
  }
}

int CountCalls(const std::string& api) {
  return static_cast<int>(HeadlessCallsOf(api).size());
}

std::vector<std::string> CallSequence(const std::set<std::string>& apis, bool withArguments) {
  std::vector<std::string> sequence;
  for (const HeadlessCall& call : HeadlessCalls()) {
    if (apis.count(call.api))
      sequence.push_back(withArguments ? call.api + " " + call.arguments : call.api);
  }
  return sequence;
}

std::string HandleText(const void* handle) {
  char text[32];
  std::snprintf(text, sizeof text, "%#llx",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(handle)));
  return handle ? text : "0";
}

std::string RectText(const RECT& rect) {
  return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
         std::to_string(rect.bottom);
}

std::vector<std::string> RectTexts(const std::vector<RECT>& rects) {
  std::vector<std::string> texts;
  for (const RECT& rect : rects)
    texts.push_back(RectText(rect));
  return texts;
}
