// The preview: one still of the sleepy action's first frame, fitted to the host's client area and
// centred, drawn once on the first tick, with nothing of the scene animating or sounding.
#include <string>
#include <vector>

#include "app/saver_state.h"
#include "headless/control_gdi.h"
#include "host/host_state.h"
#include "render/preview_still.h"
#include "scene/actor.h"
#include "tests/saver_test_support.h"

namespace {

using Strings = std::vector<std::string>;

struct Fit {
  int clientWidth;
  int clientHeight;
  PreviewPlacement expected;
};

// The shipped frame is 74 x 96.
const Fit kFits[] = {
    {152, 112, {33, 0, 86, 112}}, {640, 480, {135, 0, 370, 480}}, {200, 150, {42, 0, 115, 150}},
    {300, 96, {113, 0, 74, 96}},  {74, 300, {0, 102, 74, 96}},    {1, 1, {0, 0, 0, 1}},
};

std::string Describe(const PreviewPlacement& p) {
  return std::to_string(p.x) + "," + std::to_string(p.y) + " " + std::to_string(p.width) + "x" +
         std::to_string(p.height);
}

TEST(PreviewFit, KeepsTheFramesProportionsAndCentres) {
  for (const Fit& fit : kFits) {
    EXPECT_EQ(Describe(fit.expected), Describe(FitPreviewPicture(fit.clientWidth, fit.clientHeight, 74, 96)))
        << fit.clientWidth << "x" << fit.clientHeight;
  }
}

class PreviewTest : public SaverTest {
 protected:
  HeadlessSurface shown;
  int timerMessagesAfterTheStill = 0;
  int RunPreview(int width, int height) {
    HWND host = HeadlessCreateForeignWindow("Display Properties", width, height);
    HeadlessAt(1500, [this] {
      shown = HeadlessWindowSurface(hostState.saverWindow);
      HeadlessClearLogs();
    });
    HeadlessAt(3000, [this] {
      for (const HeadlessMessage& message : HeadlessMessages())
        timerMessagesAfterTheStill += message.message == WM_TIMER;
      DestroyWindow(hostState.saverWindow);
    });
    return RunMode("/p " + WindowNumber(host));
  }
};

TEST_F(PreviewTest, NoTickFollowsTheStill) {
  EXPECT_EQ(0, RunPreview(152, 112));
  EXPECT_EQ(0, timerMessagesAfterTheStill);
  EXPECT_EQ(0, CountCalls("PlaySoundA"));
  EXPECT_EQ(0, CountCalls("BitBlt")) << "no scene tick";
}

TEST_F(PreviewTest, StillFillsTheHostInEachShape) {
  for (const Fit& fit : Fresh(kFits)) {
    if (fit.expected.width == 0)
      continue;
    EXPECT_EQ(0, RunPreview(fit.clientWidth, fit.clientHeight));
    ASSERT_EQ(fit.clientWidth, shown.width);
    const PreviewPlacement& p = fit.expected;
    const std::string where = std::to_string(fit.clientWidth) + "x" + std::to_string(fit.clientHeight);
    // The creature's middle is drawn; the bands beside or above and below it stay black.
    EXPECT_NE(0u, shown.At(p.x + p.width / 2, p.y + p.height * 3 / 4)) << where;
    if (p.x > 0) {
      EXPECT_EQ(0u, shown.At(p.x - 1, fit.clientHeight / 2)) << where;
      EXPECT_EQ(0u, shown.At(p.x + p.width, fit.clientHeight / 2)) << where;
    }
    if (p.y > 0) {
      EXPECT_EQ(0u, shown.At(fit.clientWidth / 2, p.y - 1)) << where;
      EXPECT_EQ(0u, shown.At(fit.clientWidth / 2, p.y + p.height)) << where;
    }
  }
}

TEST_F(PreviewTest, StretchGoesStraightToTheWindowAfterTheTimerStops) {
  HWND host = HeadlessCreateForeignWindow("Display Properties", 152, 112);
  Strings sequence;
  HeadlessAt(1500, [&] {
    sequence = CallSequence({"KillTimer", "timeEndPeriod", "SetStretchBltMode", "StretchDIBits"});
    DestroyWindow(hostState.saverWindow);
  });
  RunMode("/p " + WindowNumber(host));
  const std::string window = HandleText(hostState.saverWindow);
  ASSERT_EQ(4u, sequence.size());
  EXPECT_EQ("timeEndPeriod 1", sequence[0]);
  EXPECT_EQ("KillTimer " + window + " id=1", sequence[1]);
  EXPECT_EQ(0u, sequence[2].find("SetStretchBltMode")) << sequence[2];
  EXPECT_NE(std::string::npos, sequence[2].find("mode=3")) << sequence[2];
  EXPECT_NE(std::string::npos, sequence[3].find(" 33,0,86,112 from 0,0,74,96 rop=13369376")) << sequence[3];
}

// The scene is built and its first action started as when saving, but nothing moves.
TEST_F(PreviewTest, SceneStartsButNeverTicks) {
  HWND host = HeadlessCreateForeignWindow("Display Properties", 152, 112);
  int frameIndex = -2;
  bool performing = false;
  HeadlessAt(1500, [&] {
    const Actor* actor = GetActor(0);
    performing = actor && actor->status == ActorStatus::kPerforming;
    frameIndex = actor && actor->frame ? actor->frame->index : -1;
    DestroyWindow(hostState.saverWindow);
  });
  RunMode("/p " + WindowNumber(host));
  EXPECT_TRUE(performing);
  EXPECT_EQ(0, frameIndex);
  EXPECT_EQ(640, displayMetrics.logicalWidth);
}

}  // namespace
