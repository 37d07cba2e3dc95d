#include "tests/scene_test_support.h"

#include "headless/control.h"
#include "scene/actor.h"
#include "scene/choreography_tables.h"
#include "scene/scene_random.h"
#include "saver_run/saving_run.h"

namespace {

std::string RectText(const std::string& fillCall) {
  const size_t from = fillCall.find(' ') + 1;
  return fillCall.substr(from, fillCall.find(' ', from) - from);
}

}  // namespace

uint32_t SeedForFirstAction(int actionId) {
  for (uint32_t seed = 0;; ++seed) {
    SeedSceneRandom(seed);
    if (kActionCycle[(SceneRandom() % kActionCycleLength + 1) % kActionCycleLength] == actionId)
      return seed;
  }
}

void SceneTest::SetUp() {
  SaverTest::SetUp();
  HeadlessRegistryCreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE");
  HeadlessRegistryCreateKey(HKEY_CURRENT_USER, "Software");
  HeadlessSetMessageBudget(1000000);
}

std::vector<TickLook> SceneTest::RunScene(uint32_t seed, long ticks, int width, int height) {
  HeadlessSetScreen(width, height);
  std::vector<TickLook> looks;
  SavingRun run;
  run.seed = seed;
  run.ticks = ticks;
  run.afterTick = [&looks](long tick, HWND) {
    const Actor* actor = GetActor(0);
    TickLook look{tick, false, 0, -1, {}, 0, 0, false, {}, {}, HeadlessCallsOf("PlaySoundA")};
    if (actor) {
      look.performing = actor->status == ActorStatus::kPerforming;
      look.actionId = actor->actionId;
      look.frameIndex = ActorShowsAction(*actor) ? actor->frame->index : -1;
      look.rect = actor->rect;
      look.originX = actor->originX;
      look.originY = actor->originY;
      look.logoShown = actor->logoShown != 0;
      look.logoRect = actor->logoRect;
    }
    for (const std::string& fill : HeadlessCallsOf("FillRect"))
      look.fills.push_back(RectText(fill));
    looks.push_back(look);
    HeadlessClearLogs();
    return true;
  };
  EXPECT_EQ(0, RunSavingTicks(run));
  return looks;
}

std::vector<SceneTest::Start> SceneTest::Starts(const std::vector<TickLook>& looks) {
  std::vector<Start> starts;
  bool wasPerforming = false;
  for (const TickLook& look : looks) {
    // The first action starts with the window, before the first tick.
    const long tick = starts.empty() && look.tick == 1 ? 0 : look.tick;
    if (look.performing && !wasPerforming)
      starts.push_back({tick, look.actionId, look.originX, look.originY});
    wasPerforming = look.performing;
  }
  return starts;
}
