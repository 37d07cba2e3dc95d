// The headless machine as a native host runs it: the clock goes on in real time, a wait for messages
// really waits and hands its waiting to the host, which may queue input meanwhile; PlaySoundA hands
// the host the WAVE resource it plays; the host sees which part of a window's surface changed.
#include <chrono>
#include <cstring>
#include <mmsystem.h>
#include <thread>
#include <vector>

#include "headless/control_gdi.h"
#include "headless/control_resources.h"
#include "tests/saver_test_support.h"

namespace {

class HeadlessRealClockTest : public SaverTest {};

using Clock = std::chrono::steady_clock;

long MillisecondsSince(Clock::time_point start) {
  return static_cast<long>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeForegroundWindow() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = PlainProc;
  windowClass.lpszClassName = "Clocked";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "Clocked", "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                                nullptr, nullptr);
  SetForegroundWindow(window);
  return window;
}

// The first key or timer message GetMessageA hands out (the new window's paint and mouse move go).
MSG NextMessage() {
  MSG message = {};
  while (GetMessageA(&message, nullptr, 0, 0) && message.message != WM_TIMER && message.message != WM_KEYDOWN)
    DispatchMessageA(&message);
  return message;
}

TEST_F(HeadlessRealClockTest, TheClockStartsWhereToldAndGoesOnInRealTime) {
  HeadlessUseRealClock(5000);
  const Clock::time_point start = Clock::now();
  EXPECT_GE(timeGetTime(), 5000u);
  EXPECT_LT(timeGetTime(), 5000u + 1000);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  const DWORD later = GetTickCount();
  EXPECT_GE(later, 5030u);
  EXPECT_LE(later, 5000u + static_cast<DWORD>(MillisecondsSince(start)));
  Sleep(20);
  EXPECT_GE(HeadlessNow(), later + 20);
  HeadlessSetNow(100);
  EXPECT_LT(timeGetTime(), 100u + 1000);
  HeadlessReset();
  EXPECT_EQ(1000u, timeGetTime());
}

TEST_F(HeadlessRealClockTest, ATimerComesWhenItIsReallyDueAndTheWaitIsTheHosts) {
  std::vector<int> waits;
  // Measured from before the clock starts: the clock counts whole milliseconds from its own start,
  // so a timer set a fraction into one comes due that fraction sooner after the call.
  const Clock::time_point start = Clock::now();
  HeadlessUseRealClock(0, [&waits](int milliseconds) {
    waits.push_back(milliseconds);
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  });
  HWND window = MakeForegroundWindow();
  SetTimer(window, 7, 60, nullptr);
  const MSG tick = NextMessage();
  EXPECT_EQ(static_cast<UINT>(WM_TIMER), tick.message);
  EXPECT_EQ(7u, tick.wParam);
  EXPECT_GE(MillisecondsSince(start), 60);
  ASSERT_FALSE(waits.empty());
  EXPECT_GT(waits.front(), 0);
  EXPECT_LE(waits.front(), 60);
}

TEST_F(HeadlessRealClockTest, InputQueuedDuringTheWaitComesBeforeTheTimer) {
  int calls = 0;
  HeadlessUseRealClock(0, [&calls](int) {
    if (++calls == 1)
      HeadlessUserInput(WM_KEYDOWN, VK_SPACE);
  });
  HWND window = MakeForegroundWindow();
  SetTimer(window, 1, 10000, nullptr);
  const Clock::time_point start = Clock::now();
  const MSG key = NextMessage();
  EXPECT_EQ(static_cast<UINT>(WM_KEYDOWN), key.message);
  EXPECT_EQ(window, key.hwnd);
  EXPECT_LT(MillisecondsSince(start), 5000);
}

TEST_F(HeadlessRealClockTest, WithNothingToWaitForTheWaitIsEndlessOrTheLoopEnds) {
  std::vector<int> waits;
  HeadlessUseRealClock(0, [&waits](int milliseconds) {
    waits.push_back(milliseconds);
    PostQuitMessage(3);
  });
  MSG message = {};
  EXPECT_FALSE(GetMessageA(&message, nullptr, 0, 0));
  EXPECT_EQ(3u, message.wParam);
  EXPECT_EQ(std::vector<int>{-1}, waits);
  EXPECT_FALSE(HeadlessBudgetExhausted());

  HeadlessReset();
  HeadlessUseRealClock(0);
  EXPECT_FALSE(GetMessageA(&message, nullptr, 0, 0));
  EXPECT_TRUE(HeadlessBudgetExhausted());
  HeadlessReset();
}

TEST_F(HeadlessRealClockTest, PlaySoundHandsTheHostTheWaveResourceOrStopsIt) {
  struct Played {
    const BYTE* wave;
    DWORD size;
  };
  std::vector<Played> played;
  HeadlessSetSoundOutput([&played](const BYTE* wave, DWORD size) { played.push_back({wave, size}); });
  HRSRC resource = FindResourceA(nullptr, "IDR_WAVE_1055_2", "WAVE");
  EXPECT_EQ(nullptr, resource);
  resource = FindResourceA(nullptr, "IDR_WAVE_1014_2", "WAVE");
  ASSERT_NE(nullptr, resource);
  const BYTE* bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, resource)));

  EXPECT_TRUE(PlaySoundA("idr_wave_1014_2", nullptr, SND_RESOURCE | SND_ASYNC));
  EXPECT_TRUE(PlaySoundA(nullptr, nullptr, SND_ASYNC));
  ASSERT_EQ(2u, played.size());
  EXPECT_EQ(bytes, played[0].wave);
  EXPECT_EQ(SizeofResource(nullptr, resource), played[0].size);
  EXPECT_EQ(0, std::memcmp("RIFF", played[0].wave, 4));
  EXPECT_EQ(nullptr, played[1].wave);
  EXPECT_EQ(0u, played[1].size);

  // Neither another module's resource, nor a missing one, nor a sound file: nothing is played.
  HeadlessAddModule("OTHER.DLL", true);
  EXPECT_FALSE(PlaySoundA("IDR_WAVE_1014_2", GetModuleHandleA("OTHER.DLL"), SND_RESOURCE | SND_ASYNC));
  EXPECT_FALSE(PlaySoundA("IDR_WAVE_1055_2", nullptr, SND_RESOURCE | SND_ASYNC));
  EXPECT_FALSE(PlaySoundA("IDR_WAVE_1014_2", nullptr, SND_ASYNC));
  HeadlessFailCall("PlaySoundA");
  EXPECT_FALSE(PlaySoundA("IDR_WAVE_1014_2", nullptr, SND_RESOURCE | SND_ASYNC));
  EXPECT_EQ(2u, played.size());
}

TEST_F(HeadlessRealClockTest, TheHostSeesWhereTheSurfaceChangedColour) {
  HWND window = MakeForegroundWindow();
  int width = 0, height = 0;
  const uint32_t* pixels = HeadlessSurfacePixels(window, &width, &height);
  ASSERT_NE(nullptr, pixels);
  EXPECT_EQ(100, width);
  EXPECT_EQ(100, height);
  EXPECT_EQ("0,0,0,0", RectText(HeadlessTakeSurfaceChanges(window)));

  HDC dc = GetDC(window);
  HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  const RECT spot = {10, 20, 30, 25};
  FillRect(dc, &spot, white);
  const RECT corner = {90, 95, 100, 100};
  FillRect(dc, &corner, white);
  EXPECT_EQ("10,20,100,100", RectText(HeadlessTakeSurfaceChanges(window)));
  EXPECT_EQ("0,0,0,0", RectText(HeadlessTakeSurfaceChanges(window)));
  pixels = HeadlessSurfacePixels(window, &width, &height);
  EXPECT_EQ(0xFFFFFFu, pixels[20 * 100 + 10]);
  EXPECT_EQ(0u, pixels[19 * 100 + 10]);

  // Drawn again in the colours it has: nothing changed.
  FillRect(dc, &spot, white);
  const RECT black = {40, 40, 60, 60};
  FillRect(dc, &black, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ("0,0,0,0", RectText(HeadlessTakeSurfaceChanges(window)));
  ReleaseDC(window, dc);

  int none = 1;
  EXPECT_EQ(nullptr, HeadlessSurfacePixels(nullptr, &none, &none));
  EXPECT_EQ(0, none);
  EXPECT_EQ("0,0,0,0", RectText(HeadlessTakeSurfaceChanges(nullptr)));
}

}  // namespace
