// The Animation library over the saver's own resources and over small resources made here:
// lookups, list shapes, signed placements, failures that leave nothing behind, malformed resources.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "headless/control_resources.h"
#include "scene/action_scene.h"
#include "sprites/animation_library.h"
#include "sprites/placement_list.h"
#include "tests/saver_test_support.h"
#include "tests/sprite_bytes.h"

namespace {

class SpriteLibraryTest : public SaverTest {
 protected:
  void TearDown() override {
    FreeAnimationLibrary(library);
    SaverTest::TearDown();
  }

  AnimationLibrary* Create(const SceneDescriptor& descriptor) {
    return CreateAnimationLibrary(&descriptor, 1, context);
  }

  LoadContext context = {nullptr, GetModuleHandleA(nullptr), nullptr};
  AnimationLibrary* library = nullptr;
};

std::vector<int> FrameCounts(const AnimationLibrary* library) {
  std::vector<int> counts;
  for (const Animation* animation = library->animations; animation; animation = animation->next)
    counts.push_back(animation->frameCount);
  return counts;
}

TEST_F(SpriteLibraryTest, SceneLoadsTenAnimationsAndFiveTracksInTableOrder) {
  library = CreateAnimationLibrary(kSceneDescriptors, 1, context);
  ASSERT_NE(nullptr, library);
  EXPECT_EQ(nullptr, library->next);
  EXPECT_EQ(nullptr, library->previous);
  EXPECT_EQ(library, FindAnimationLibrary(library, 7300));
  EXPECT_EQ(nullptr, FindAnimationLibrary(library, 7301));

  std::vector<int> ids;
  const Animation* previous = nullptr;
  for (const Animation* animation = library->animations; animation; animation = animation->next) {
    EXPECT_EQ(previous, animation->previous);
    ids.push_back(animation->id);
    previous = animation;
  }
  EXPECT_EQ((std::vector<int>{24000, 21225, 21569, 21059, 21055, 1055, 1059, 1225, 1569, 4000}), ids);
  EXPECT_EQ((std::vector<int>{1, 1, 1, 1, 1, 120, 95, 76, 61, 34}), FrameCounts(library));

  for (int id : {1055, 1059, 1225, 1569, 4000}) {
    const PlacementTrack* track = FindPlacementTrack(library->placementTracks, id);
    ASSERT_NE(nullptr, track) << id;
    EXPECT_EQ(FindAnimation(library->animations, id)->frameCount, track->placementCount) << id;
  }
  EXPECT_EQ(0u, HeadlessCallsOf("CreateDIBitmap").size());
}

TEST_F(SpriteLibraryTest, SceneFramesAndPlacementsAreFoundByIdentifierAndIndex) {
  library = CreateAnimationLibrary(kSceneDescriptors, 1, context);
  ASSERT_NE(nullptr, library);

  Animation* sleepy = FindAnimation(library->animations, 1055);
  ASSERT_NE(nullptr, sleepy);
  Frame* last = sleepy->frames;
  for (int index = 0; index < 119; ++index) {
    ASSERT_EQ(index, last->index);
    last = last->next;
  }
  EXPECT_EQ(119, last->index);
  EXPECT_EQ(nullptr, last->next);
  EXPECT_EQ(nullptr, FindFrame(sleepy->frames, 120));
  Frame* first = FindFrame(sleepy->frames, 0);
  EXPECT_EQ(74, first->width);
  EXPECT_EQ(96, first->height);
  EXPECT_EQ(1, first->layer);
  const BYTE* resource = static_cast<const BYTE*>(sleepy->resource);
  EXPECT_EQ(resource + 14, reinterpret_cast<const BYTE*>(first->header));
  EXPECT_EQ(resource + 1078, first->bits);

  Animation* logo = FindAnimation(library->animations, 21055);
  ASSERT_NE(nullptr, logo);
  EXPECT_EQ(1, logo->frameCount);
  EXPECT_EQ(2, logo->frames->layer);
  EXPECT_EQ(nullptr, FindPlacementTrack(library->placementTracks, 21055));

  PlacementTrack* acrobat = FindPlacementTrack(library->placementTracks, 1225);
  ASSERT_NE(nullptr, acrobat);
  EXPECT_EQ(76, acrobat->placementCount);
  EXPECT_EQ(158, acrobat->placements->x);
  EXPECT_EQ(29, acrobat->placements->y);
}

TEST_F(SpriteLibraryTest, LookupsAndReleaseAcceptNull) {
  EXPECT_EQ(nullptr, FindAnimation(nullptr, 1055));
  EXPECT_EQ(nullptr, FindPlacementTrack(nullptr, 1055));
  EXPECT_EQ(nullptr, FindFrame(nullptr, 0));
  EXPECT_EQ(nullptr, FindAnimationLibrary(nullptr, 7300));
  FreeAnimationLibrary(nullptr);
  EXPECT_EQ(nullptr, CreateAnimationLibrary(kSceneDescriptors, 0, context));
}

TEST_F(SpriteLibraryTest, PaddedFramesChainByTheirSizesAndTheFirstOfTwoIdentifiersWins) {
  const Bytes narrow = BitmapFile(73, 3, 5), wide = BitmapFile(8, 2, 6);
  HeadlessSetResource("SPBMP", "TWO", Concatenate({narrow, wide}));
  HeadlessSetResource("spbmp", "one", wide);
  const SpriteEntry rows[] = {{"Two", 16, 7, 1, 0}, {"ONE", 16, 7, 2, 0}};
  library = Create({1, 2, rows, 0, nullptr, nullptr});
  ASSERT_NE(nullptr, library);
  EXPECT_EQ(nullptr, library->placementTracks);

  Animation* found = FindAnimation(library->animations, 7);
  ASSERT_EQ(library->animations, found);
  ASSERT_EQ(2, found->frameCount);
  Frame* second = found->frames->next;
  EXPECT_EQ(found->frames, second->previous);
  EXPECT_EQ(8, second->width);
  EXPECT_EQ(2, second->height);
  EXPECT_EQ(static_cast<const BYTE*>(found->resource) + narrow.size() + 1078, second->bits);
  EXPECT_EQ(0, found->frames->bits[76 + 73]) << "row padding kept";
  EXPECT_EQ(5, found->frames->bits[76 + 72]);
}

TEST_F(SpriteLibraryTest, PlacementOffsetsAreSignedAndTheTrailerIsNoRecord) {
  std::vector<std::pair<uint16_t, uint16_t>> offsets(120, {52, 214});
  offsets[0] = {0xFFFF, 0x8000};
  HeadlessSetResource("SPBMPDATA", "TRACK", PlacementData(offsets));
  HeadlessSetResource("SPBMP", "PICTURE", BitmapFile(4, 4, 1));
  const SpriteEntry pictures[] = {{"PICTURE", 16, 3, 1, 0}};
  const SpriteEntry tracks[] = {{"TRACK", 16, 3, 1, 0}};
  library = Create({1, 1, pictures, 1, tracks, nullptr});
  ASSERT_NE(nullptr, library);

  PlacementTrack* track = library->placementTracks;
  ASSERT_EQ(120, track->placementCount);
  EXPECT_EQ(-1, track->placements->x);
  EXPECT_EQ(-32768, track->placements->y);
  const Placement* last = track->placements;
  while (last->next)
    last = last->next;
  EXPECT_EQ(119, last->index);
  EXPECT_EQ(52, last->x);
  EXPECT_EQ(214, last->y);
}

TEST_F(SpriteLibraryTest, DeviceBitmapsOnlyForRowsThatAskAndOnlyWithAContext) {
  HeadlessSetResource("SPBMP", "PAIR", Concatenate({BitmapFile(4, 4, 1), BitmapFile(5, 5, 1)}));
  const SpriteEntry rows[] = {{"PAIR", 16, 1, 1, 0x40}, {"PAIR", 16, 2, 1, 0x3F}};
  library = Create({1, 2, rows, 0, nullptr, nullptr});
  ASSERT_NE(nullptr, library);
  EXPECT_EQ(nullptr, library->animations->frames->deviceBitmap) << "no device context";
  FreeAnimationLibrary(library);

  context.dc = GetDC(nullptr);
  library = Create({1, 2, rows, 0, nullptr, nullptr});
  ASSERT_NE(nullptr, library);
  std::vector<std::string> made;
  for (const Frame* frame = library->animations->frames; frame; frame = frame->next) {
    ASSERT_NE(nullptr, frame->deviceBitmap);
    made.push_back(HandleText(frame->deviceBitmap));
  }
  for (const Frame* frame = library->animations->next->frames; frame; frame = frame->next)
    EXPECT_EQ(nullptr, frame->deviceBitmap);
  EXPECT_EQ(2u, HeadlessCallsOf("CreateDIBitmap").size());

  FreeAnimationLibrary(library);
  library = nullptr;
  EXPECT_EQ(made, HeadlessCallsOf("DeleteObject"));
  ReleaseDC(nullptr, context.dc);
}

// Each of these fails the whole creation; LeakSanitizer checks that no record is left behind, and
// the device bitmaps of the rows that did load are all deleted again.
TEST_F(SpriteLibraryTest, AFailingRowReleasesEverythingBuiltBeforeIt) {
  HeadlessSetResource("SPBMP", "GOOD", Concatenate({BitmapFile(4, 4, 1), BitmapFile(4, 4, 1)}));
  HeadlessSetResource("SPBMP", "EMPTY", {});
  HeadlessSetResource("SPBMPDATA", "GOOD", PlacementData({{1, 2}}));
  HeadlessSetResource("SPBMPDATA", "NO_RECORD", Bytes(4, 0));
  context.dc = GetDC(nullptr);
  const SpriteEntry good[] = {{"GOOD", 16, 1, 1, 0x40}};
  const SpriteEntry goodTrack[] = {{"GOOD", 16, 1, 1, 0}};
  const struct {
    const char* what;
    SpriteEntry picture;
    SpriteEntry track;
  } cases[] = {
      {"missing picture", {"NONE", 16, 2, 1, 0}, goodTrack[0]},
      {"empty picture", {"EMPTY", 16, 2, 1, 0}, goodTrack[0]},
      {"source kind 0", {"GOOD", 0, 2, 1, 0}, goodTrack[0]},
      {"missing placements", good[0], {"NONE", 16, 2, 1, 0}},
      {"placements without a record", good[0], {"NO_RECORD", 16, 2, 1, 0}},
      {"placement source kind 0", good[0], {"GOOD", 0, 2, 1, 0}},
  };
  for (const auto& failure : cases) {
    HeadlessClearLogs();
    const SpriteEntry pictures[] = {good[0], failure.picture};
    const SpriteEntry tracks[] = {goodTrack[0], failure.track};
    const SceneDescriptor scenes[] = {{1, 1, good, 1, goodTrack, nullptr},
                                      {2, 2, pictures, 2, tracks, nullptr}};
    EXPECT_EQ(nullptr, CreateAnimationLibrary(scenes, 2, context)) << failure.what;
    EXPECT_EQ(HeadlessCallsOf("CreateDIBitmap").size(), HeadlessCallsOf("DeleteObject").size())
        << failure.what;
  }
  ReleaseDC(nullptr, context.dc);
}

TEST_F(SpriteLibraryTest, ResourceCallFailuresFailTheLoad) {
  for (const char* api : {"FindResourceA", "SizeofResource", "LoadResource", "LockResource"}) {
    HeadlessFailCall(api);
    EXPECT_EQ(nullptr, CreateAnimationLibrary(kSceneDescriptors, 1, context)) << api;
  }
}

TEST_F(SpriteLibraryTest, MalformedPicturesAreRejected) {
  const Bytes good = BitmapFile(6, 3, 1);
  struct Field {
    size_t at;
    uint32_t value;
  };
  const struct {
    const char* what;
    std::vector<Field> fields;
  } faults[] = {
      {"bfSize 0", {{2, 0}}},
      {"bfSize past the end", {{2, static_cast<uint32_t>(good.size() + 1)}}},
      {"bfSize short of the pixel rows", {{2, static_cast<uint32_t>(good.size() - 1)}}},
      {"pixels before the colour table ends", {{10, 1077}}},
      {"pixel offset past the file", {{10, 0xFFFFFFF0u}}},
      {"header size 124", {{14, 124}}},
      {"width 0", {{18, 0}}},
      {"negative width", {{18, 0xFFFFFFFFu}}},
      {"top-down rows", {{22, static_cast<uint32_t>(-3)}}},
      {"rows whose size wraps to 0 in 32 bits", {{18, 0x40000000}, {22, 4}}},
      {"largest rows", {{18, 0x7FFFFFFF}, {22, 0x7FFFFFFF}}},
      {"24 bits per pixel", {{28, 24}}},
      {"compressed", {{30, 1}}},
      {"colour table longer than 256", {{46, 257}}},
  };
  const SpriteEntry rows[] = {{"BAD", 16, 1, 1, 0}};
  for (const auto& fault : faults) {
    Bytes bad = good;
    for (const Field& field : fault.fields) {
      Put32(&bad, field.at, field.value);
      if (field.at == 28)
        bad[30] = bad[31] = 0;  // biBitCount is 16 bits; keep biCompression 0
    }
    HeadlessSetResource("SPBMP", "BAD", Concatenate({good, bad}));
    EXPECT_EQ(nullptr, Create({1, 1, rows, 0, nullptr, nullptr})) << fault.what;
  }
  for (size_t size : {size_t{1}, size_t{53}, good.size() - 1}) {
    HeadlessSetResource("SPBMP", "BAD", Bytes(good.begin(), good.begin() + size));
    EXPECT_EQ(nullptr, Create({1, 1, rows, 0, nullptr, nullptr})) << size << " bytes";
  }
  Bytes trailing = good;
  trailing.push_back(0);
  HeadlessSetResource("SPBMP", "BAD", trailing);
  EXPECT_EQ(nullptr, Create({1, 1, rows, 0, nullptr, nullptr})) << "a byte after the last file";
}

TEST_F(SpriteLibraryTest, PlacementDataMustBeRecordsAndATrailer) {
  Placement* first = nullptr;
  const Bytes bytes(64, 0);
  for (size_t size : {0, 4, 19, 21, 35, 53}) {
    EXPECT_EQ(0, WalkPlacements(&first, bytes.data(), size)) << size;
    EXPECT_EQ(nullptr, first);
  }
  EXPECT_EQ(1, WalkPlacements(&first, bytes.data(), 20));
  FreePlacements(first);
  EXPECT_EQ(3, WalkPlacements(&first, bytes.data(), 52));
  FreePlacements(first);
}

TEST_F(SpriteLibraryTest, ALoopedFrameListEndsLookupsAndReleaseAtItsStart) {
  const Bytes run = Concatenate({BitmapFile(4, 1, 1), BitmapFile(4, 2, 1), BitmapFile(4, 3, 1)});
  Frame* first = nullptr;
  ASSERT_EQ(3, WalkFrames(&first, run.data(), run.size(), 1, FALSE, nullptr));
  first->next->next->next = first;
  EXPECT_EQ(3, FindFrame(first, 2)->height);
  EXPECT_EQ(nullptr, FindFrame(first, 3));
  FreeFrames(first);
}

}  // namespace
