// The timeline of every action as the real saver plays it: the frames shown, the logo's updates,
// the sound's update, the end of the action and the pause before the next one; the reviewed
// reference pictures.
#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "headless/control_gdi.h"
#include "tests/scene_test_support.h"
#include "saver_run/frame_log.h"
#include "saver_run/saving_run.h"

namespace {

struct ActionTimeline {
  int actionId;
  int frames;
  int logoFirst;  // first and last update that queue the logo
  int logoLast;
  int endUpdate;     // the update that removes the actor
  int startToStart;  // ticks from this action's start to the next one's
  int soundUpdate;
  const char* sound;
};

const ActionTimeline kTimelines[] = {
    {4000, 34, 1, 47, 49, 64, 3, "IDR_WAVE_200_2"},
    {1055, 120, 31, 133, 135, 150, 44, "IDR_WAVE_1014_2"},
    {1059, 95, 41, 108, 110, 125, 73, "IDR_WAVE_1015_2"},
    {1225, 76, 32, 89, 91, 106, 1, "IDR_WAVE_1049_2"},
    {1569, 61, 16, 74, 76, 91, 16, "IDR_WAVE_1114_2"},
};

class TimelineTest : public SceneTest {};

TEST_F(TimelineTest, EveryActionFollowsItsTimeline) {
  for (const ActionTimeline& expected : Fresh(kTimelines)) {
    const std::vector<TickLook> looks =
        RunScene(SeedForFirstAction(expected.actionId), expected.startToStart + 2);
    const std::string action = "action " + std::to_string(expected.actionId) + ", update ";
    int logoFirst = 0, logoLast = 0, endUpdate = 0;
    for (const TickLook& look : looks) {
      const int update = static_cast<int>(look.tick);
      if (update > expected.startToStart)
        break;
      if (look.logoShown) {
        logoFirst = logoFirst ? logoFirst : update;
        logoLast = update;
      }
      if (!look.performing && !endUpdate)
        endUpdate = update;
      if (endUpdate)
        continue;
      // Frames 1 to N - 1 one per update, then the last one held.
      EXPECT_EQ(std::min(update, expected.frames - 1), look.frameIndex) << action << update;
      const std::vector<std::string> sounds =
          update == expected.soundUpdate
              ? std::vector<std::string>{"<null> module=0 flags=1",
                                         std::string(expected.sound) + " module=0 flags=262149"}
              : std::vector<std::string>{};
      EXPECT_EQ(sounds, look.sounds) << action << update;
    }
    EXPECT_EQ(expected.logoFirst, logoFirst) << action;
    EXPECT_EQ(expected.logoLast, logoLast) << action;
    EXPECT_EQ(expected.endUpdate, endUpdate) << action;
    ASSERT_GE(looks.size(), static_cast<size_t>(expected.logoLast + 1));
    const TickLook& lastLogo = looks[expected.logoLast - 1];
    const std::vector<std::string>& erased = looks[expected.logoLast].fills;
    EXPECT_NE(erased.end(), std::find(erased.begin(), erased.end(), RectText(lastLogo.logoRect)))
        << action << expected.logoLast + 1 << " erases the logo";
    const std::vector<Start> starts = Starts(looks);
    ASSERT_EQ(2u, starts.size()) << action;
    EXPECT_EQ(expected.startToStart, starts[1].tick) << action;
  }
}

TEST_F(TimelineTest, PauseShowsNoActorFor16Ticks) {
  const std::vector<TickLook> looks = RunScene(SeedForFirstAction(1569), 95);
  const long end = 76;
  for (long tick = end; tick <= end + 15; ++tick) {
    EXPECT_EQ(-1, looks[tick - 1].frameIndex) << "tick " << tick;
    EXPECT_TRUE(looks[tick - 1].sounds.empty()) << "tick " << tick;
  }
  EXPECT_EQ(1, looks[end + 16 - 1].frameIndex) << "the next action's first frame";
}

TEST_F(TimelineTest, NoSoundAtAllWhenTheSettingIsOff) {
  HeadlessRegistrySetDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\NUVARIS\\ORUScreenSaver\\LOMLOM_ACTION_2", "Sound",
                           0);
  const std::vector<TickLook> looks = RunScene(SeedForFirstAction(1225), 540);
  for (const TickLook& look : looks)
    EXPECT_TRUE(look.sounds.empty()) << "tick " << look.tick;
  EXPECT_EQ(6u, Starts(looks).size()) << "the whole cycle ran";
}

// The saver draws every picture of tests/references (scripts/update-references.sh) at its tick: the
// same screen hash, action, quadrant, logo and frame.
TEST_F(TimelineTest, ReviewedReferencePicturesAtDepths8And32) {
  std::map<int, std::map<long, std::string>> expected;  // by depth and tick: the frame log line
  std::ifstream list(SAVER_REFERENCE_LIST);
  size_t count = 0;
  for (std::string line; std::getline(list, line);) {
    int depth;
    long tick;
    std::istringstream fields(line);
    if (line.empty() || line[0] == '#' || !(fields >> depth >> tick))
      continue;
    const size_t from = line.find(' ') + 1;
    expected[depth][tick] = line.substr(from, line.rfind(' ') - from);
    ++count;
  }
  EXPECT_EQ(28u, count)
      << "first, logo and last frame of five actions at two depths; 4000's logo is on its first";
  for (auto& [depth, lines] : expected) {
    SetUp();
    HeadlessSetScreen(1024, 768);
    HeadlessSetBitsPerPixel(depth);
    SavingRun run;
    run.seed = 3;
    run.ticks = lines.rbegin()->first;
    HeadlessSurface screen;
    run.afterTick = [&, depth = depth](long tick, HWND window) {
      auto wanted = lines.find(tick);
      if (wanted != lines.end()) {
        HeadlessReadWindowSurface(window, &screen);
        EXPECT_EQ(wanted->second, FrameLogLine(tick, ScreenHash(screen, depth))) << "depth " << depth;
      }
      HeadlessClearLogs();
      return true;
    };
    EXPECT_EQ(0, RunSavingTicks(run));
  }
}

}  // namespace
