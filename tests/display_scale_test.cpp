// Whole-number scaling, the scene on every monitor, display changes and the display's sleep.
#include <string>
#include <vector>

#include "app/saver_state.h"
#include "app/scale_factor.h"
#include "headless/control_gdi.h"
#include "host/host_state.h"
#include "render/screen_views.h"
#include "saver_run/saver_process.h"
#include "saver_run/saving_run.h"
#include "scene/actor.h"
#include "scene/choreography.h"
#include "tests/saver_test_support.h"

namespace {

const char kSettingsPath[] = "SOFTWARE\\NUVARIS\\ORUScreenSaver\\LOMLOM_ACTION_2";

TEST(ScaleFactorTest, FollowsTheDisplayHalvesUpWhileTheBlockFitsElseActualPixelsOrTheLargestFit) {
  const UINT dpis[] = {96, 120, 144, 168, 192, 240, 288};
  const struct {
    int width;
    int height;
    const char* follow;  // one digit per DPI above
    const char* largest;
  } rows[] = {
      {800, 600, "1111111", "1111111"},   {1366, 768, "1111111", "1111111"},
      {1920, 1080, "1122222", "2222222"}, {2560, 1440, "1122233", "3333333"},
      {3840, 2160, "1122233", "4444444"},
  };
  for (const auto& row : rows) {
    std::string follow, actual, largest;
    for (UINT dpi : dpis) {
      follow += static_cast<char>('0' + ScaleFactor(dpi, row.width, row.height, kSizeFollowDisplay));
      actual += static_cast<char>('0' + ScaleFactor(dpi, row.width, row.height, kSizeActualPixels));
      largest += static_cast<char>('0' + ScaleFactor(dpi, row.width, row.height, kSizeLargestFit));
    }
    EXPECT_EQ(row.follow, follow) << row.width << "x" << row.height;
    EXPECT_EQ("1111111", actual) << row.width << "x" << row.height;
    EXPECT_EQ(row.largest, largest) << row.width << "x" << row.height;
  }
  EXPECT_EQ(1, ScaleFactor(0, 3840, 2160, kSizeFollowDisplay)) << "no DPI";
  EXPECT_EQ(1, ScaleFactor(0xFFFFFFFF, 320, 200, kSizeFollowDisplay)) << "a monitor smaller than the block";
  EXPECT_EQ(1, ScaleFactor(192, 320, 200, kSizeLargestFit));
  EXPECT_EQ(9, ScaleFactor(0xFFFFFFFF, 8192, 4320, kSizeFollowDisplay)) << "the block still fits";
}

class DisplayScaleTest : public SaverTest {
 protected:
  // The saver window's surface after every seventh of `ticks` ticks, on the machine as it is.
  std::vector<HeadlessSurface> Frames(long ticks) {
    std::vector<HeadlessSurface> frames;
    SavingRun run;
    run.ticks = ticks;
    run.afterTick = [&](long tick, HWND window) {
      if (tick % 7 == 0)
        frames.push_back(HeadlessWindowSurface(window));
      return true;
    };
    EXPECT_EQ(0, RunSavingTicks(run));
    return frames;
  }
};

// Each physical pixel shows its Logical pixel, and what is left over beside and below stays black:
// compared with the scene run unscaled on a screen of the Logical size.
TEST_F(DisplayScaleTest, EachLogicalPixelIsAWholeSquareAtEveryDepthAndTheRestIsBlack) {
  const struct {
    int depth;
    UINT dpi;
    DWORD size;  // the setting; 0 leaves it unset
    int width;
    int height;
    int factor;
    std::vector<const char*> missing;  // USER32 entries of older systems
  } cases[] = {
      {32, 192, 0, 1283, 963, 2, {}}, {24, 144, 0, 1283, 963, 2, {"GetDpiForWindow"}},
      {16, 96, 2, 1925, 1440, 3, {}}, {8, 288, 0, 1920, 1442, 3, {"GetDpiForWindow", "MonitorFromWindow"}},
      {32, 192, 1, 641, 481, 1, {}},  {32, 288, 0, 1921, 1441, 3, {}},
      {32, 96, 2, 2563, 1920, 4, {}},
  };
  const long kTicks = 30;
  for (const auto& c : Fresh(cases)) {
    const std::string label = std::to_string(c.depth) + " bits at " + std::to_string(c.dpi);
    StartHeadlessMachine(c.width / c.factor, c.height / c.factor, c.depth);
    const std::vector<HeadlessSurface> logical = Frames(kTicks);
    ResetSaverProcess();
    StartHeadlessMachine(c.width, c.height, c.depth);
    HeadlessSetMonitorDpi(0, c.dpi);
    for (const char* entry : c.missing)
      HeadlessRemoveExport("USER32.DLL", entry);
    if (c.size)
      HeadlessRegistrySetDword(HKEY_LOCAL_MACHINE, kSettingsPath, "Size", c.size);
    const std::vector<HeadlessSurface> physical = Frames(kTicks);
    ASSERT_EQ(logical.size(), physical.size()) << label;
    EXPECT_EQ(c.width / c.factor, displayMetrics.logicalWidth) << label;
    int wrong = 0;
    for (size_t tick = 0; tick < physical.size(); ++tick) {
      const HeadlessSurface& shown = physical[tick];
      for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
          const bool inside = x < logical[tick].width * c.factor && y < logical[tick].height * c.factor;
          const uint32_t expected = inside ? logical[tick].At(x / c.factor, y / c.factor) : 0;
          if (shown.At(x, y) != expected && wrong++ < 3)
            ADD_FAILURE() << label << " look " << tick << " pixel " << x << "," << y << ": expected "
                          << std::hex << expected << ", shown " << shown.At(x, y);
        }
      }
    }
    EXPECT_EQ(0, wrong) << label;
  }
}

// The scene on every monitor: each cover shows the same block, centred on its own monitor and
// scaled by the monitor's own factor; with the main monitor only, the covers stay black.
TEST_F(DisplayScaleTest, EveryMonitorShowsTheBlockCentredAtItsOwnFactor) {
  const struct {
    const char* name;
    DWORD monitors;
    std::vector<RECT> layout;
    UINT coverDpi;
    int factor;  // of the cover; 0: it stays black
  } cases[] = {
      {"the same size to the left", 1, {{0, 0, 1024, 768}, {-1024, 0, 0, 768}}, 96, 1},
      {"twice the size at 192 DPI above", 1, {{0, 0, 1024, 768}, {-512, -1536, 1536, 0}}, 192, 2},
      {"the main monitor only", 0, {{0, 0, 1024, 768}, {-1024, 0, 0, 768}}, 96, 0},
  };
  for (const auto& c : Fresh(cases)) {
    HeadlessSetMonitors(c.layout);
    HeadlessSetMonitorDpi(1, c.coverDpi);
    HeadlessRegistrySetDword(HKEY_LOCAL_MACHINE, kSettingsPath, "Monitors", c.monitors);
    HeadlessSurface main, cover;
    int lit = 0;
    PostToSaverAt(4000, WM_KEYDOWN, 'Q');
    HeadlessAt(3555, [&] {
      main = HeadlessWindowSurface(hostState.saverWindow);
      cover = HeadlessWindowSurface(hostState.covers[0]);
    });
    EXPECT_EQ(0, RunMode("/s")) << c.name;
    int wrong = 0;
    for (int y = 0; y < cover.height; ++y) {
      for (int x = 0; x < cover.width; ++x) {
        const uint32_t expected = c.factor ? main.At(x / c.factor, y / c.factor) : 0;
        lit += cover.At(x, y) != 0;
        wrong += cover.At(x, y) != expected;
      }
    }
    EXPECT_EQ(0, wrong) << c.name;
    EXPECT_EQ(c.factor != 0, lit > 0) << c.name;
  }
}

struct SceneAt {
  int actionId;
  int cyclePosition;
  int frameIndex;
  int fromCentreX;  // the actor's origin from the scene's centre
  int fromCentreY;
};

SceneAt SceneNow() {
  const Actor* actor = GetActor(0);
  return {actor->actionId, sceneState.cyclePosition, actor->frame ? actor->frame->index : -1,
          actor->originX - sceneState.centreX, actor->originY - sceneState.centreY};
}

// Mid-action, the displays change: the saver covers the new screen, covers come and go, the frame
// buffer takes the new Logical size, and the action goes on from where it was, at the new centre.
TEST_F(DisplayScaleTest, ADisplayChangeMidActionKeepsTheSceneGoingAndLeaksNothing) {
  const struct {
    const char* name;
    std::vector<RECT> after;
    size_t dpiMonitor;  // changed to 192 with its own message, after the layout
    int logicalWidth;
    int covers;
    int coverFactor;  // of the first cover's view; 0 for none
  } cases[] = {
      {"a larger screen", {{0, 0, 1280, 1024}}, 9, 1280, 0, 0},
      {"a monitor added to the left", {{0, 0, 1024, 768}, {-800, 0, 0, 600}}, 9, 1024, 1, 1},
      {"the primary at 192 DPI", {{0, 0, 1920, 1080}}, 0, 960, 0, 0},
      {"a cover's monitor at 192 DPI", {{0, 0, 1024, 768}, {1024, 0, 2304, 1024}}, 1, 1024, 1, 2},
      {"a monitor removed", {{0, 0, 1024, 768}}, 9, 1024, 0, 0},
  };
  for (const auto& c : Fresh(cases)) {
    HeadlessSetMonitors({{0, 0, 1024, 768}, {1024, 0, 1824, 600}});
    HeadlessRegistrySetDword(HKEY_LOCAL_MACHINE, kSettingsPath, "Monitors", 1);
    SceneAt before = {}, after = {};
    int coverCount = -1, coverFactor = -1;
    RECT saverRect = {};
    HeadlessAt(2055, [&] {
      before = SceneNow();
      HeadlessChangeDisplays(c.after);
      if (c.dpiMonitor < c.after.size())
        HeadlessChangeMonitorDpi(c.dpiMonitor, 192);
    });
    HeadlessAt(2055 + 110, [&] {
      after = SceneNow();
      coverCount = hostState.coverCount;
      coverFactor = screenViews.count > 1 ? screenViews.views[1].factor : 0;
      saverRect = HeadlessWindowRect(hostState.saverWindow);
    });
    PostToSaverAt(3000, WM_KEYDOWN, 'Q');
    EXPECT_EQ(0, RunMode("/s")) << c.name;
    EXPECT_EQ(RectText(c.after[0]), RectText(saverRect)) << c.name;
    EXPECT_EQ(c.logicalWidth, displayMetrics.logicalWidth) << c.name;
    EXPECT_EQ(c.covers, coverCount) << c.name;
    EXPECT_EQ(c.coverFactor, coverFactor) << c.name;
    EXPECT_EQ(before.actionId, after.actionId) << c.name;
    EXPECT_EQ(before.cyclePosition, after.cyclePosition) << c.name;
    EXPECT_EQ(before.frameIndex + 1, after.frameIndex) << c.name;
    EXPECT_EQ(before.fromCentreX, after.fromCentreX) << c.name;
    EXPECT_EQ(before.fromCentreY, after.fromCentreY) << c.name;
    EXPECT_EQ(0, HeadlessLiveGdiObjects()) << c.name;
    EXPECT_EQ(0, HeadlessModuleLoadCount("SHCORE.DLL")) << c.name;
  }
}

// While the display is off nothing is drawn, no sound starts and the scene waits; when it comes
// back the whole picture is drawn again and the scene goes on. The registration ends with the saver.
TEST_F(DisplayScaleTest, NothingIsDrawnWhileTheDisplayIsOffAndAllOfItWhenItReturns) {
  for (DWORD back : Fresh({1u, 2u})) {
    SceneAt off = {}, on = {};
    int registrations = 0;
    std::vector<std::string> whileOff, whenBack;
    HeadlessAt(2055, [&] {
      HeadlessSetDisplayState(0);
      off = SceneNow();
      registrations = HeadlessPowerRegistrations();
      HeadlessClearLogs();
    });
    HeadlessAt(2055 + 20 * 110, [&] {
      whileOff = HeadlessCallNames();
      HeadlessSetDisplayState(back);
      whenBack = HeadlessCallsOf("BitBlt");
      on = SceneNow();
    });
    PostToSaverAt(5000, WM_KEYDOWN, 'Q');
    EXPECT_EQ(0, RunMode("/s"));
    EXPECT_EQ(1, registrations);
    EXPECT_EQ(0, HeadlessPowerRegistrations());
    for (const std::string& call : whileOff)
      EXPECT_TRUE(call != "BitBlt" && call != "PlaySoundA" && call != "FillRect") << call;
    EXPECT_EQ(off.frameIndex, on.frameIndex) << "the scene waits in the dark";
    ASSERT_EQ(1u, whenBack.size()) << back;
    EXPECT_NE(std::string::npos, whenBack[0].find(" 0,0,1024,768 from ")) << whenBack[0];
  }
}

}  // namespace
