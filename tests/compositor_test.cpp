// The compositor: clipping and addressing of queued drawings, the layer order, the transparent
// key, dirty rectangles and their merging, and one whole picture per depth.
#include "render/compositor.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "render/blit.h"
#include "render/clip.h"
#include "render/frame_buffer.h"
#include "headless/control_resources.h"
#include "render/palette.h"
#include "sprites/bitmap_format.h"
#include "tests/render_test_support.h"

namespace {

class CompositorTest : public RenderTest {
 protected:
  void MakeBuffer(int depth, LONG width = 640, LONG height = 480) {
    HeadlessSetBitsPerPixel(depth);
    window_ = MakeTargetWindow(width, height);
    ASSERT_TRUE(CreateFrameBuffer(window_, width, height, nullptr));
  }
  LONG Stride() const { return (frameBuffer.width * frameBuffer.bitsPerPixel + 31) / 32 * 4; }
  HWND window_ = nullptr;
};

std::vector<LONG> QueuedLayers() {
  std::vector<LONG> layers;
  for (const DrawRequest* request = drawQueue; request; request = request->next)
    layers.push_back(request->layer);
  return layers;
}

std::vector<RECT> DirtyRects() {
  std::vector<RECT> rects;
  for (const DirtyRect* dirty = dirtyList; dirty; dirty = dirty->next)
    rects.push_back(dirty->rect);
  return rects;
}

// Appends without merging, to set up a list exactly.
void AppendDirty(const RECT& rect) {
  DirtyRect* added = static_cast<DirtyRect*>(std::calloc(1, sizeof(DirtyRect)));
  added->rect = rect;
  DirtyRect** link = &dirtyList;
  while (*link) {
    added->prev = *link;
    link = &(*link)->next;
  }
  *link = added;
}

TEST_F(CompositorTest, ClipAmountsCountWhatLiesOutside) {
  const ClipCuts inside = ClipAmounts(640, 480, 0, 0, 640, 480);
  EXPECT_EQ(0, inside.left + inside.top + inside.width + inside.height);
  const ClipCuts left = ClipAmounts(640, 480, -10, 50, 100, 80);
  EXPECT_EQ(10, left.left);
  EXPECT_EQ(0, left.top);
  EXPECT_EQ(10, left.width);
  EXPECT_EQ(0, left.height);
  const ClipCuts both = ClipAmounts(640, 480, -5, -7, 700, 500);
  EXPECT_EQ(5, both.left);
  EXPECT_EQ(7, both.top);
  EXPECT_EQ(5 + 55, both.width);
  EXPECT_EQ(7 + 13, both.height);
}

TEST_F(CompositorTest, ClippingAtTheLeftEdgeReadsFromFurtherIntoTheFrame) {
  MakeBuffer(32);
  const TestFrame frame = MakeFrame(100, 80, 9);
  for (DWORD mode : {kDrawKeyed, kDrawKeyedMirrored}) {
    SCOPED_TRACE(mode);
    RECT rect = {-10, 50, 90, 130};
    ASSERT_TRUE(QueueDraw(&rect, &rect, frame.Header(), frame.Bits(), mode, 1));
    EXPECT_EQ("0,50,90,130", RectText(rect));
    const DrawRequest* request = drawQueue;
    EXPECT_EQ(90, request->width);
    EXPECT_EQ(80, request->height);
    // The region's bottom row is the frame's bottom row; mirrored drawing starts at its column 89.
    EXPECT_EQ(frame.Bits() + (mode == kDrawKeyed ? 10 : 89), request->source);
    EXPECT_EQ(frameBuffer.bits + (480 - 80 - 50) * Stride(), request->destination);
    ClearDrawQueue();
  }
}

TEST_F(CompositorTest, ClippingAtTheBottomKeepsTheFramesTopRows) {
  MakeBuffer(24);
  const TestFrame frame = MakeFrame(61, 80, 9);  // rows of 64 bytes
  RECT rect = {20, 440, 81, 520};
  ASSERT_TRUE(QueueDraw(&rect, &rect, frame.Header(), frame.Bits(), kDrawKeyed, 1));
  EXPECT_EQ("20,440,81,480", RectText(rect));
  EXPECT_EQ(40, drawQueue->height);
  EXPECT_EQ(frame.Bits() + 40 * 64, drawQueue->source) << "the top 40 rows";
  EXPECT_EQ(frameBuffer.bits + 20 * 3, drawQueue->destination) << "the bottom 40 rows of the screen";
}

TEST_F(CompositorTest, ClippingAtTheTopAndRightEdges) {
  MakeBuffer(16, 100, 100);
  const TestFrame frame = MakeFrame(30, 20, 9);
  RECT rect = {85, -5, 115, 15};
  ASSERT_TRUE(QueueDraw(&rect, &rect, frame.Header(), frame.Bits(), kDrawKeyedMirrored, 1));
  EXPECT_EQ("85,0,100,15", RectText(rect));
  EXPECT_EQ(frame.Bits() + 29, drawQueue->source) << "bottom row, rightmost column: kept on the left";
  EXPECT_EQ(frameBuffer.bits + 85 * Stride() + 85 * 2, drawQueue->destination);
}

TEST_F(CompositorTest, NothingVisibleIsRejectedAndTheRectangleLeftAlone) {
  MakeBuffer(32);
  const TestFrame frame = MakeFrame(100, 80, 9);
  const RECT rejected[] = {{640, 0, 740, 80},    {0, 480, 100, 560},
                           {-100, 0, 0, 80},     {10, 10, 10, 90},
                           {10, 90, 110, 10},    {INT_MIN, INT_MIN, INT_MAX, -1},
                           {INT_MIN, 0, -1, 80}, {INT_MAX - 5, 0, INT_MAX, 80}};
  for (const RECT& in : rejected) {
    SCOPED_TRACE(RectText(in));
    RECT rect = in;
    EXPECT_FALSE(QueueDraw(&rect, &rect, frame.Header(), frame.Bits(), kDrawKeyed, 1));
    EXPECT_EQ(RectText(in), RectText(rect));
  }
  EXPECT_EQ(nullptr, drawQueue);
  RECT huge = {0, 0, INT_MAX, INT_MAX};
  EXPECT_TRUE(QueueDraw(&huge, &huge, frame.Header(), frame.Bits(), kDrawKeyed, 1));
  EXPECT_EQ("0,0,100,80", RectText(huge)) << "the frame's own size bounds the drawing";

  TestFrame topDown = MakeFrame(10, 10, 9);
  const LONG negative = -10;
  std::memcpy(topDown.file.data() + kBitmapHeightField, &negative, sizeof negative);
  RECT rect = {0, 0, 10, 10};
  EXPECT_FALSE(QueueDraw(&rect, &rect, topDown.Header(), topDown.Bits(), kDrawKeyed, 1));
}

TEST_F(CompositorTest, NothingIsQueuedWithoutAFrameBuffer) {
  const TestFrame frame = MakeFrame(10, 10, 9);
  RECT rect = {0, 0, 10, 10};
  EXPECT_FALSE(QueueDraw(&rect, &rect, frame.Header(), frame.Bits(), kDrawKeyed, 1));
}

TEST_F(CompositorTest, TheKeyIsTheBottomLeftPixelUntilAFixedKeyIsSet) {
  MakeBuffer(8);
  TestFrame frame = MakeFrame(10, 10, 9);
  frame.At(0, 9) = 5;
  RECT rect = {0, 0, 10, 10};
  QueueDraw(&rect, &rect, frame.Header(), frame.Bits(), kDrawKeyed, 1);
  EXPECT_EQ(5u, drawQueue->key);
  SetTransparentKey(1);
  QueueDraw(&rect, &rect, frame.Header(), frame.Bits(), kDrawKeyed, 1);
  EXPECT_EQ(1u, drawQueue->next->key);
  ASSERT_TRUE(CreateFrameBuffer(window_, 640, 480, nullptr));
  EXPECT_EQ(nullptr, drawQueue) << "requests die with the buffer they point into";
  QueueDraw(&rect, &rect, frame.Header(), frame.Bits(), kDrawKeyed, 1);
  EXPECT_EQ(5u, drawQueue->key) << "a new buffer forgets the fixed key";
}

TEST_F(CompositorTest, SortingPutsHigherLayersLaterAndReversesEqualOnes) {
  MakeBuffer(8);
  const TestFrame frame = MakeFrame(4, 4, 9);
  auto order = [&](const std::vector<LONG>& layers) {
    ClearDrawQueue();
    std::vector<const DrawRequest*> queued;
    for (LONG layer : layers) {
      RECT rect = {0, 0, 4, 4};
      QueueDraw(&rect, &rect, frame.Header(), frame.Bits(), kDrawKeyed, layer);
    }
    for (const DrawRequest* request = drawQueue; request; request = request->next)
      queued.push_back(request);
    SortDrawQueue();
    std::vector<int> positions;
    for (const DrawRequest* request = drawQueue; request; request = request->next) {
      for (size_t i = 0; i < queued.size(); ++i) {
        if (queued[i] == request)
          positions.push_back(static_cast<int>(i) + 1);
      }
    }
    return positions;
  };
  EXPECT_EQ((std::vector<int>{3, 1, 2}), order({1, 2, 1}));
  EXPECT_EQ((std::vector<int>{1, 3, 2}), order({0, 2, 0}));
  EXPECT_EQ((std::vector<int>{4, 5, 2, 6, 3, 1}), order({3, 1, 2, 0, -1, 2}));
  EXPECT_EQ((std::vector<int>{1}), order({7}));
  EXPECT_EQ((std::vector<int>{}), order({}));
  EXPECT_EQ((std::vector<LONG>{}), QueuedLayers());
}

TEST_F(CompositorTest, ComposeDrawsEachModeByLayerAndEmptiesTheQueue) {
  MakeBuffer(32, 8, 2);
  TestFrame frame = MakeFrame(3, 1, 0);
  frame.At(0, 0) = 3;
  frame.At(1, 0) = 1;
  frame.At(2, 0) = 5;
  TestFrame cover = MakeFrame(1, 1, 4);
  SetTransparentKey(257);  // compared on its low byte: index 1
  const RECT places[] = {{0, 0, 3, 1}, {3, 0, 6, 1}, {0, 1, 3, 2}, {2, 1, 3, 2}};
  const DWORD modes[] = {kDrawKeyed, kDrawKeyedMirrored, 0, kDrawOpaque};
  RECT rect = places[3];
  QueueDraw(&rect, &rect, cover.Header(), cover.Bits(), kDrawOpaque, 2);  // queued first, drawn last
  for (int i = 0; i < 3; ++i) {
    rect = places[i];
    QueueDraw(&rect, &rect, frame.Header(), frame.Bits(), modes[i], 1);
  }
  std::memset(frameBuffer.bits, 0x40, Stride() * 2);
  const RECT erase = {0, 0, 8, 1};
  EraseRect(&erase);
  ComposeFrame();
  EXPECT_EQ(nullptr, drawQueue);
  const std::vector<std::string> calls = HeadlessCallNames();
  EXPECT_EQ("GdiFlush", calls.back()) << "erases land before the direct writes";

  const std::vector<RGBQUAD> colours = TestColours();
  auto rgb = [&](int index) {
    return uint32_t{colours[index].rgbRed} << 16 | colours[index].rgbGreen << 8 | colours[index].rgbBlue;
  };
  auto pixel = [&](int x, int y) {
    uint32_t value;
    std::memcpy(&value, frameBuffer.bits + (1 - y) * Stride() + 4 * x, 4);
    return value;
  };
  EXPECT_EQ((std::vector<uint32_t>{rgb(3), 0, rgb(5), rgb(5), 0, rgb(3), 0, 0}),
            (std::vector<uint32_t>{pixel(0, 0), pixel(1, 0), pixel(2, 0), pixel(3, 0), pixel(4, 0),
                                   pixel(5, 0), pixel(6, 0), pixel(7, 0)}));
  EXPECT_EQ((std::vector<uint32_t>{rgb(3), rgb(1), rgb(4), 0x40404040}),
            (std::vector<uint32_t>{pixel(0, 1), pixel(1, 1), pixel(2, 1), pixel(3, 1)}))
      << "opaque writes the key's colour too; the logo layer covers the frame";
}

TEST_F(CompositorTest, ClearingTheQueueDrawsNothing) {
  MakeBuffer(32, 4, 4);
  const TestFrame frame = MakeFrame(4, 4, 9);
  RECT rect = {0, 0, 4, 4};
  QueueDraw(&rect, &rect, frame.Header(), frame.Bits(), kDrawOpaque, 1);
  ClearDrawQueue();
  ComposeFrame();
  EXPECT_EQ(std::vector<BYTE>(64, 0), std::vector<BYTE>(frameBuffer.bits, frameBuffer.bits + 64));
}

TEST_F(CompositorTest, RectanglesThatTouchMergeAndOthersStayApart) {
  struct Case {
    RECT a, b;
    const char* merged;  // null: no contact
  };
  const Case cases[] = {
      {{0, 0, 10, 10}, {10, 0, 20, 10}, "0,0,20,10"},  {{0, 0, 10, 10}, {11, 0, 20, 10}, nullptr},
      {{0, 0, 10, 10}, {10, 10, 20, 20}, "0,0,20,20"}, {{10, 10, 20, 20}, {0, 0, 10, 10}, "0,0,20,20"},
      {{0, 0, 10, 10}, {2, 3, 4, 5}, "0,0,10,10"},     {{5, 0, 10, 10}, {5, 20, 6, 30}, nullptr},
      {{0, 0, 10, 10}, {0, 11, 10, 20}, nullptr},      {{5, 5, 5, 5}, {5, 5, 8, 9}, "5,5,8,9"},
      {{5, 5, 5, 5}, {5, 5, 5, 5}, "0,0,0,0"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(RectText(c.a) + " " + RectText(c.b));
    RECT merged = {-1, -1, -1, -1};
    EXPECT_EQ(c.merged != nullptr, UnionIfTouching(&c.a, &c.b, &merged) != FALSE);
    if (c.merged) {
      EXPECT_EQ(c.merged, RectText(merged));
    }
  }
}

TEST_F(CompositorTest, AddingGrowsTheFirstTouchingRectangle) {
  const RECT rects[] = {{0, 0, 10, 10}, {30, 0, 40, 10}, {35, 5, 50, 20}, {10, 0, 12, 2}};
  for (const RECT& r : rects)
    EXPECT_TRUE(AddDirtyRect(&r));
  EXPECT_EQ((std::vector<std::string>{"0,0,12,10", "30,0,50,20"}), RectTexts(DirtyRects()));
  EXPECT_FALSE(AddDirtyRect(nullptr));
}

TEST_F(CompositorTest, OneMergePassCanLeaveRectanglesThatTouch) {
  AppendDirty({13, 7, 17, 14});
  AppendDirty({18, 7, 21, 9});
  AppendDirty({16, 11, 26, 19});
  MergeDirtyRects();
  EXPECT_EQ((std::vector<std::string>{"13,7,26,19", "18,7,21,9"}), RectTexts(DirtyRects()));
  ASSERT_EQ(nullptr, dirtyList->prev);
  EXPECT_EQ(dirtyList, dirtyList->next->prev);
}

TEST_F(CompositorTest, FlushCopiesEachMergedRectangleOnceAndEmptiesTheList) {
  MakeBuffer(32, 30, 30);
  std::memset(frameBuffer.bits, 0x40, Stride() * 30);
  AppendDirty({13, 7, 17, 14});
  AppendDirty({18, 7, 21, 9});
  AppendDirty({16, 11, 26, 19});
  AppendDirty({0, 25, 2, 27});
  HDC dc = GetDC(window_);
  HeadlessClearLogs();
  FlushDirtyRects(dc);
  ReleaseDC(window_, dc);
  const std::string memory = HandleText(frameBuffer.memoryDC);
  const std::string target = HandleText(dc);
  EXPECT_EQ((std::vector<std::string>{target + " 13,7,13,12 from " + memory + " 13,7 rop=13369376",
                                      target + " 18,7,3,2 from " + memory + " 18,7 rop=13369376",
                                      target + " 0,25,2,2 from " + memory + " 0,25 rop=13369376"}),
            HeadlessCallsOf("BitBlt"));
  EXPECT_EQ(nullptr, dirtyList);
  const HeadlessSurface surface = HeadlessWindowSurface(window_);
  EXPECT_EQ(0x404040u, surface.At(25, 18));
  EXPECT_EQ(0u, surface.At(12, 7)) << "not dirty, not copied";
  EXPECT_EQ(0x404040u, surface.At(1, 26));
}

// One picture composed at every depth, against fingerprints of the frame buffer and the window.
void ComposeTestPicture(HWND window) {
  TestFrame actor = MakeFrame(40, 30, 0);
  TestFrame logo = MakeFrame(25, 20, 0);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x)
      actor.At(x, y) = (x + y) % 5 == 0 ? 1 : static_cast<BYTE>((x * 7 + y * 3) % 250 + 3);
  }
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 25; ++x)
      logo.At(x, y) = x % 6 == 0 ? 1 : static_cast<BYTE>(200 + (x * y) % 50);
  }
  SetTransparentKey(1);
  struct Drawing {
    const TestFrame* frame;
    RECT rect;
    DWORD mode;
    LONG layer;
  };
  const Drawing first[] = {{&actor, {-8, -5, 32, 25}, kDrawKeyed, 1},
                           {&actor, {70, 40, 110, 70}, kDrawKeyedMirrored, 1},
                           {&logo, {30, 20, 55, 40}, kDrawOpaque, 2},
                           {&logo, {-3, 50, 22, 70}, kDrawKeyed, 2},
                           {&actor, {20, 10, 60, 40}, kDrawKeyedMirrored, 1}};
  HDC dc = GetDC(window);
  HPALETTE palette = mainPalette.handle;
  HPALETTE previous = palette ? SelectPalette(dc, palette, FALSE) : nullptr;
  if (palette)
    RealizePalette(dc);
  for (const Drawing& d : first) {
    RECT rect = d.rect;
    if (QueueDraw(&rect, &rect, d.frame->Header(), d.frame->Bits(), d.mode, d.layer))
      AddDirtyRect(&rect);
  }
  ComposeFrame();
  FlushDirtyRects(dc);
  const RECT erased = {25, 15, 50, 35};
  EraseRect(&erased);
  AddDirtyRect(&erased);
  RECT again = {50, -10, 90, 20};
  if (QueueDraw(&again, &again, actor.Header(), actor.Bits(), kDrawOpaque, 1))
    AddDirtyRect(&again);
  ComposeFrame();
  FlushDirtyRects(dc);
  if (palette)
    SelectPalette(dc, previous, FALSE);
  ReleaseDC(window, dc);
}

TEST_F(CompositorTest, GoldenPictureAtEveryDepth) {
  struct Golden {
    int depth;
    uint32_t buffer;
    uint32_t window;
  };
  // Through the realised palette the 8-bit window shows exactly the colours of 24 and 32 bits.
  const Golden goldens[] = {{8, 590127102u, 4240602963u},
                            {16, 3261054314u, 3165680445u},
                            {24, 544892471u, 4240602963u},
                            {32, 2608911747u, 4240602963u}};
  for (const Golden& golden : Fresh(goldens)) {
    SCOPED_TRACE(golden.depth);
    HeadlessSetBitsPerPixel(golden.depth);
    HWND window = MakeTargetWindow(97, 61);
    if (golden.depth == 8) {
      HeadlessSetResource("MAINPAL", "IDR_MAINPAL_LOM4SCREEN", MakeFrame(108, 18, 0).file);
      CreateMainPalette(GetModuleHandleA(nullptr), "IDR_MAINPAL_LOM4SCREEN");
    }
    ASSERT_TRUE(CreateFrameBuffer(window, 97, 61, mainPalette.entries));
    ComposeTestPicture(window);
    EXPECT_EQ(golden.buffer, Fingerprint(frameBuffer.bits, frameBuffer.header->bmiHeader.biSizeImage));
    EXPECT_EQ(golden.window, Fingerprint(HeadlessWindowSurface(window)));
    TearDown();
    EXPECT_EQ(0, HeadlessLiveGdiObjects()) << "nothing of the picture is left";
  }
}

}  // namespace

namespace {

// A tick in the steady state takes its records from those the ticks before it gave back.
TEST_F(CompositorTest, RecordsOfOneTickServeTheNext) {
  MakeBuffer(32);
  const TestFrame frame = MakeFrame(20, 20, 9);
  HDC dc = GetDC(window_);
  std::vector<const void*> first;
  for (int tick = 0; tick < 3; ++tick) {
    std::vector<const void*> used;
    RECT actor = {10 + tick, 10, 30 + tick, 30};
    RECT logo = {200, 200, 220, 220};
    ASSERT_TRUE(QueueDraw(&actor, &actor, frame.Header(), frame.Bits(), kDrawKeyed, 1));
    ASSERT_TRUE(QueueDraw(&logo, &logo, frame.Header(), frame.Bits(), kDrawKeyed, 2));
    ASSERT_TRUE(AddDirtyRect(&actor));
    ASSERT_TRUE(AddDirtyRect(&logo));
    for (const DrawRequest* request = drawQueue; request; request = request->next)
      used.push_back(request);
    for (const DirtyRect* dirty = dirtyList; dirty; dirty = dirty->next)
      used.push_back(dirty);
    std::sort(used.begin(), used.end());
    if (tick == 0)
      first = used;
    else
      EXPECT_EQ(first, used) << "tick " << tick;
    ComposeFrame();
    FlushDirtyRects(dc);
    EXPECT_EQ(nullptr, drawQueue);
    EXPECT_EQ(nullptr, dirtyList);
  }
  ReleaseDC(window_, dc);
}

}  // namespace
