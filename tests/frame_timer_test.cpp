// The frame timer's start and stop rules, alone and inside the saver's life.
#include <string>
#include <vector>

#include "app/frame_timer.h"
#include "host/host_state.h"
#include "tests/saver_test_support.h"

namespace {

using Strings = std::vector<std::string>;

class FrameTimerTest : public SaverTest {
 protected:
  HWND window = nullptr;
  void SetUp() override {
    SaverTest::SetUp();
    window = HeadlessCreateForeignWindow("timer owner", 10, 10);
  }
};

TEST_F(FrameTimerTest, StartsWithRaisedResolutionAndStopsOnce) {
  EXPECT_EQ(1u, StartFrameTimer(window, 1, 1, 110, nullptr));
  StopFrameTimer(window, 1, 1);
  StopFrameTimer(window, 1, 1);
  EXPECT_EQ(Strings{"1"}, HeadlessCallsOf("timeBeginPeriod"));
  EXPECT_EQ(Strings{"1"}, HeadlessCallsOf("timeEndPeriod"));
  EXPECT_EQ(1, CountCalls("KillTimer"));
  EXPECT_TRUE(HeadlessMessageBoxes().empty());
}

TEST_F(FrameTimerTest, StopWithoutStartDoesNothing) {
  StopFrameTimer(window, 1, 1);
  EXPECT_TRUE(HeadlessCalls().empty());
}

TEST_F(FrameTimerTest, RefusedResolutionIsToldAndStartsNoTimer) {
  HeadlessFailCall("timeBeginPeriod");
  EXPECT_EQ(0u, StartFrameTimer(window, 1, 1, 110, nullptr));
  EXPECT_EQ(0, CountCalls("SetTimer"));
  ASSERT_EQ(1u, HeadlessMessageBoxes().size());
  EXPECT_EQ("Resolution is out of range.", HeadlessMessageBoxes()[0].text);
  EXPECT_EQ("<null>", HeadlessMessageBoxes()[0].caption);
  EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), HeadlessMessageBoxes()[0].type);
  StopFrameTimer(window, 1, 1);
  EXPECT_EQ(0, CountCalls("timeEndPeriod"));
}

TEST_F(FrameTimerTest, FailedSetTimerStillLowersTheResolutionAtStop) {
  HeadlessFailCall("SetTimer");
  EXPECT_EQ(0u, StartFrameTimer(window, 1, 1, 110, nullptr));
  EXPECT_TRUE(HeadlessMessageBoxes().empty());
  StopFrameTimer(window, 1, 1);
  EXPECT_EQ(1, CountCalls("timeEndPeriod"));
  ASSERT_EQ(1u, HeadlessMessageBoxes().size());
  EXPECT_EQ("KillTimer Failed.", HeadlessMessageBoxes()[0].text);
  StopFrameTimer(window, 1, 1);
  EXPECT_EQ(1u, HeadlessMessageBoxes().size()) << "the failed timer counts as stopped";
}

TEST_F(FrameTimerTest, SaverTicksEvery110MillisecondsFromCreation) {
  uint32_t created = HeadlessNow();
  HeadlessAt(created + 1000, [] { PostMessageA(hostState.saverWindow, WM_KEYDOWN, 'A', 0); });
  RunMode("/s");
  EXPECT_EQ(Strings{HandleText(hostState.saverWindow) + " id=1 ms=110 proc=0"}, HeadlessCallsOf("SetTimer"));
  int tickCount = 0;
  for (const HeadlessMessage& m : HeadlessMessages()) {
    if (m.message != WM_TIMER)
      continue;
    EXPECT_EQ(1u, m.wParam);
    ++tickCount;
  }
  EXPECT_EQ(9, tickCount) << "ticks at 110, 220, ... 990 ms";
  EXPECT_EQ(Strings{"1"}, HeadlessCallsOf("timeEndPeriod"));
  EXPECT_EQ(0, HeadlessTimerCount());
}

TEST_F(FrameTimerTest, TicksStopOnceTheCloseIsGranted) {
  HeadlessSetPlatform(VER_PLATFORM_WIN32_WINDOWS);
  HeadlessAt(2000, [] {
    hostState.closing = TRUE;
    HeadlessClearLogs();
  });
  HeadlessAt(2500, [] { DestroyWindow(hostState.saverWindow); });
  RunMode("/s");
  EXPECT_EQ(0, CountCalls("GetDC")) << "no frame is drawn while closing";
  EXPECT_EQ(0, CountCalls("Sleep"));
}

}  // namespace
