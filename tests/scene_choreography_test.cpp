// Which action comes next and where it plays: the cycle after each random entry point, the
// quadrants and their stage origins at several screen sizes, and actions or logos that are missing.
#include <cstring>
#include <string>
#include <vector>

#include "app/saver_state.h"
#include "headless/control_gdi.h"
#include "render/blit.h"
#include "render/compositor.h"
#include "render/frame_buffer.h"
#include "scene/action_scene.h"
#include "scene/choreography.h"
#include "scene/choreography_tables.h"
#include "scene/scene_tick.h"
#include "sprites/animation_library.h"
#include "tests/render_test_support.h"
#include "tests/scene_test_support.h"

namespace {

const int kCycle[] = {4000, 1055, 1059, 1225, 1569};

struct Origin {
  int x;
  int y;
  bool operator==(const Origin& other) const { return x == other.x && y == other.y; }
};

std::ostream& operator<<(std::ostream& out, const Origin& origin) {
  return out << "(" << origin.x << "," << origin.y << ")";
}

class ChoreographyTest : public SceneTest {};

TEST_F(ChoreographyTest, CycleRunsInOrderFromEveryEntryPoint) {
  for (int entry : Fresh({0, 1, 2, 3, 4})) {
    const std::vector<Start> starts = Starts(RunScene(SeedForFirstAction(kCycle[entry]), 660));
    ASSERT_GE(starts.size(), 6u) << "entry " << kCycle[entry];
    for (size_t i = 0; i < 6; ++i)
      EXPECT_EQ(kCycle[(entry + i) % 5], starts[i].actionId) << "entry " << kCycle[entry] << ", action " << i;
  }
}

// Upper left, lower right, upper right, lower left, whatever the first action is.
TEST_F(ChoreographyTest, QuadrantsInTurnAroundTheScreenCentre) {
  struct Case {
    int width;
    int height;
    Origin origins[4];
  } cases[] = {
      {1024, 768, {{192, 144}, {512, 384}, {512, 144}, {192, 384}}},
      {1023, 767, {{191, 143}, {511, 383}, {511, 143}, {191, 383}}},
      {640, 480, {{0, 0}, {320, 240}, {320, 0}, {0, 240}}},
  };
  for (const Case& c : cases) {
    for (int first : Fresh({1055, 1569})) {
      const std::vector<Start> starts = Starts(RunScene(SeedForFirstAction(first), 560, c.width, c.height));
      ASSERT_GE(starts.size(), 5u);
      for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(c.origins[i % 4], (Origin{starts[i].originX, starts[i].originY}))
            << c.width << "x" << c.height << ", first " << first << ", action " << i;
      }
    }
  }
}

// Each action's logo stands at its row's offsets within the stage; the frames at their placements.
TEST_F(ChoreographyTest, LogoAndFirstFrameStandWhereTheStageSaysOn640By480) {
  struct Case {
    int actionId;
    Origin logo;  // bottom-left corner within the stage
  } cases[] = {
      {4000, {190, 180}}, {1055, {60, 210}}, {1059, {100, 110}}, {1225, {90, 190}}, {1569, {70, 140}}};
  for (const Case& c : Fresh(cases)) {
    const std::vector<TickLook> looks = RunScene(SeedForFirstAction(c.actionId), 45, 640, 480);
    bool logoSeen = false;
    for (const TickLook& look : looks) {
      if (!look.logoShown)
        continue;
      logoSeen = true;
      EXPECT_EQ(c.logo, (Origin{look.logoRect.left, look.logoRect.bottom}))
          << c.actionId << " tick " << look.tick;
    }
    EXPECT_TRUE(logoSeen) << c.actionId;
    // Placements put every frame inside the stage, upper left on the first action.
    EXPECT_GE(looks[0].rect.left, 0) << c.actionId;
    EXPECT_GE(looks[0].rect.top, 0) << c.actionId;
    EXPECT_LE(looks[0].rect.right, 320) << c.actionId;
    EXPECT_LE(looks[0].rect.bottom, 240) << c.actionId;
  }
}

// A frame partly off a small screen is clipped to it; one wholly off keeps its place and is not drawn.
TEST_F(ChoreographyTest, ScreenSmallerThanTheBlockClipsTheStages) {
  const std::vector<TickLook> looks = RunScene(SeedForFirstAction(4000), 560, 200, 150);
  EXPECT_EQ(6u, Starts(looks).size());
  int clipped = 0, outside = 0;
  for (const TickLook& look : looks) {
    if (look.frameIndex < 0)
      continue;
    const RECT& r = look.rect;
    const bool within = r.left >= 0 && r.top >= 0 && r.right <= 200 && r.bottom <= 150;
    const bool whollyOff = r.right <= 0 || r.bottom <= 0 || r.left >= 200 || r.top >= 150;
    EXPECT_TRUE(within || whollyOff) << "tick " << look.tick;
    clipped += within;
    outside += whollyOff;
  }
  EXPECT_GT(clipped, 0);
  EXPECT_GT(outside, 0);
}

// Scene-level cases on the real library: the choreography called directly.
class SceneBehaviourTest : public SaverTest {
 protected:
  HWND window = nullptr;
  AnimationLibrary* library = nullptr;
  void SetUp() override {
    SaverTest::SetUp();
    window = HeadlessCreateForeignWindow("stage", 1024, 768);
    ASSERT_TRUE(CreateFrameBuffer(window, 1024, 768, nullptr));
    library =
        CreateAnimationLibrary(kSceneDescriptors, 1, LoadContext{window, GetModuleHandleA(nullptr), nullptr});
    ASSERT_NE(nullptr, library);
    animationLibrary = library;
    ASSERT_EQ(1, CreateActorPool(1));
    saverState.activeActors = 1;
    ASSERT_EQ(1, SceneBehaviour(kStartScene, library, 0, 0));
  }
  // The next start chooses `actionId`.
  void NextChooses(int actionId) {
    for (int position = 0; position < kActionCycleLength; ++position) {
      if (kActionCycle[(position + 1) % kActionCycleLength] == actionId)
        sceneState.cyclePosition = position;
    }
  }
  void Rename(int id, int newId) { FindAnimation(library->animations, id)->id = newId; }
};

TEST_F(SceneBehaviourTest, MissingActionIsSkippedAtTheNextAttempt) {
  Rename(1059, 9059);
  NextChooses(1059);
  Actor* actor = FindFreeActor();
  EXPECT_EQ(0, SceneBehaviour(kStartAction, actor, 0, 0));
  EXPECT_EQ(ActorStatus::kFree, actor->status);
  EXPECT_EQ(0, sceneState.quadrant) << "a refused start takes no quadrant";
  EXPECT_EQ(1, SceneBehaviour(kStartAction, actor, 0, 0));
  EXPECT_EQ(1225, actor->actionId);
}

TEST_F(SceneBehaviourTest, ActionWithoutItsLogoStillPlays) {
  Rename(21569, 9999);
  NextChooses(1569);
  Actor* actor = FindFreeActor();
  EXPECT_EQ(1, SceneBehaviour(kStartAction, actor, 0, 0));
  EXPECT_EQ(0, actor->logoTicksLeft);
  EXPECT_EQ(nullptr, actor->logoFrame);
}

// Once the scene has started, index 1 lets what lies beneath show in every frame, whatever the
// frame's bottom-left pixel; every other index, 2 included, is drawn.
TEST_F(SceneBehaviourTest, IndexOneShowsWhatLiesBeneathAndEveryOtherIndexIsDrawn) {
  const BYTE kBackground = 0x40;
  const BYTE indices[2][4] = {{1, 2, 1, 7}, {5, 1, 2, 9}};  // rows from the top; the corner is 5
  TestFrame planted = MakeFrame(4, 2, 0);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x)
      planted.At(x, y) = indices[y][x];
  }
  NextChooses(1055);
  Actor* actor = FindFreeActor();
  ASSERT_EQ(1, SceneBehaviour(kStartAction, actor, 0, 0));
  Frame* shown = actor->frame->next;  // the first update draws frame 1
  shown->header = planted.Header();
  shown->bits = planted.Bits();
  shown->width = planted.width;
  shown->height = planted.height;
  ASSERT_EQ(32, frameBuffer.bitsPerPixel);
  const LONG stride = FrameBufferRowStride(frameBuffer.width, frameBuffer.bitsPerPixel);
  std::memset(frameBuffer.bits, kBackground, static_cast<size_t>(stride) * frameBuffer.height);
  UpdateActor(actor);
  ComposeFrame();

  const std::vector<RGBQUAD> colours = TestColours();
  for (int y = 0; y < 2; ++y) {
    const BYTE* row = frameBuffer.bits + (frameBuffer.height - 1 - actor->rect.top - y) * stride;
    for (int x = 0; x < 4; ++x) {
      const RGBQUAD& colour = colours[indices[y][x]];
      const uint32_t drawn = uint32_t{colour.rgbRed} << 16 | colour.rgbGreen << 8 | colour.rgbBlue;
      uint32_t pixel;
      std::memcpy(&pixel, row + 4 * (actor->rect.left + x), 4);
      EXPECT_EQ(indices[y][x] == 1 ? 0x01010101u * kBackground : drawn, pixel)
          << "index " << int{indices[y][x]} << " at " << x << "," << y;
    }
  }
}

TEST_F(SceneBehaviourTest, PauseRefusesFifteenAttemptsThenStarts) {
  StartPause(kPauseTicks);
  Actor* actor = FindFreeActor();
  for (int attempt = 1; attempt <= 15; ++attempt)
    EXPECT_EQ(0, SceneBehaviour(kStartAction, actor, 0, 0)) << "attempt " << attempt;
  EXPECT_EQ(1, SceneBehaviour(kStartAction, actor, 0, 0));
}

TEST_F(SceneBehaviourTest, OtherMessagesAndMissingSubjectsChangeNothing) {
  const SceneState before = sceneState;
  EXPECT_EQ(1, SceneBehaviour(7, nullptr, 0, 0));
  EXPECT_EQ(before.cyclePosition, sceneState.cyclePosition);
  EXPECT_EQ(0, SceneBehaviour(kStartAction, nullptr, 0, 0));
  sceneState.library = nullptr;
  EXPECT_EQ(0, SceneBehaviour(kStartAction, FindFreeActor(), 0, 0));
  EXPECT_EQ(ActorStatus::kFree, FindFreeActor()->status);
}

TEST_F(SceneBehaviourTest, PoolRefusesIndicesOutsideIt) {
  Actor* actor = GetActor(0);
  actor->status = ActorStatus::kPerforming;
  actor->x = 5;
  EXPECT_EQ(nullptr, GetActor(-1));
  EXPECT_EQ(nullptr, GetActor(1));
  EXPECT_EQ(0, ResetActor(-1));
  EXPECT_EQ(0, ResetActor(1));
  EXPECT_EQ(5, actor->x);
  EXPECT_EQ(nullptr, FindFreeActor()) << "every actor performing";
  EXPECT_EQ(1, ResetActor(0));
  EXPECT_EQ(0, actor->x);
  EXPECT_EQ(actor, FindFreeActor());
  EXPECT_EQ(1, CreateActorPool(0));
  EXPECT_EQ(nullptr, FindFreeActor()) << "an empty pool";
  EXPECT_EQ(0, CreateActorPool(-1));
}

}  // namespace
