// The frame buffer: its header per depth, its memory layout, and creation that fails cleanly.
#include "render/frame_buffer.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "render/blit.h"
#include "render/palette.h"
#include "tests/render_test_support.h"

namespace {

class FrameBufferTest : public RenderTest {
 protected:
  // A window and, at 8 bits per pixel, main palette entries with the test colours.
  HWND MakeBuffer(int depth, LONG width = 64, LONG height = 48) {
    HeadlessSetBitsPerPixel(depth);
    window_ = MakeTargetWindow(width, height);
    const TestFrame bitmap = MakeFrame(4, 1, 0);
    entries_ = LogPaletteFromBitmap(reinterpret_cast<const BITMAPINFOHEADER*>(bitmap.Header()));
    created_ = CreateFrameBuffer(window_, width, height, entries_);
    return window_;
  }
  void TearDown() override {
    std::free(entries_);
    entries_ = nullptr;
    RenderTest::TearDown();
  }
  HWND window_ = nullptr;
  LOGPALETTE* entries_ = nullptr;
  BOOL created_ = FALSE;
};

DWORD Mask(const BITMAPINFO* header, int index) {
  DWORD mask;
  std::memcpy(&mask, reinterpret_cast<const BYTE*>(header->bmiColors) + 4 * index, sizeof mask);
  return mask;
}

TEST_F(FrameBufferTest, HeaderDescribesEachDepth) {
  struct Case {
    LONG depth;
    DWORD compression;
    DWORD colours;
    DWORD masks[3];
  };
  const Case cases[] = {{8, BI_RGB, 256, {0, 0, 0}},
                        {16, BI_BITFIELDS, 0, {0x7C00, 0x3E0, 0x1F}},
                        {24, BI_RGB, 0, {0, 0, 0}},
                        {32, BI_BITFIELDS, 0, {0xFF0000, 0xFF00, 0xFF}},
                        {15, BI_RGB, 0, {0, 0, 0}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.depth);
    BITMAPINFO* header = BuildFrameBufferHeader(c.depth, 641, 3);
    ASSERT_NE(nullptr, header);
    const BITMAPINFOHEADER& info = header->bmiHeader;
    EXPECT_EQ(40u, info.biSize);
    EXPECT_EQ(641, info.biWidth);
    EXPECT_EQ(3, info.biHeight) << "positive: rows bottom-up";
    EXPECT_EQ(1, info.biPlanes);
    EXPECT_EQ(c.depth, info.biBitCount);
    EXPECT_EQ(c.compression, info.biCompression);
    EXPECT_EQ(static_cast<DWORD>((641 * c.depth + 31) / 32 * 4 * 3), info.biSizeImage);
    EXPECT_EQ(c.colours, info.biClrUsed);
    EXPECT_EQ(c.colours, info.biClrImportant);
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(c.masks[i], Mask(header, i));
    std::free(header);
  }
  EXPECT_EQ(nullptr, BuildFrameBufferHeader(32, 100000, 100000)) << "more bytes than 32 bits hold";
}

TEST_F(FrameBufferTest, RowsArePaddedToWholeWords) {
  EXPECT_EQ(644, FrameBufferRowStride(641, 8));
  EXPECT_EQ(1284, FrameBufferRowStride(641, 16));
  EXPECT_EQ(1924, FrameBufferRowStride(641, 24));
  EXPECT_EQ(2564, FrameBufferRowStride(641, 32));
  EXPECT_EQ(1920 * 4, FrameBufferRowStride(1920, 32));
}

TEST_F(FrameBufferTest, ANewBufferIsBlackAtEveryDepth) {
  for (int depth : Fresh({8, 16, 24, 32})) {
    SCOPED_TRACE(depth);
    MakeBuffer(depth, 641, 5);
    ASSERT_TRUE(created_);
    EXPECT_EQ(0, frameBufferError);
    EXPECT_EQ(641, frameBuffer.width);
    EXPECT_EQ(5, frameBuffer.height);
    EXPECT_EQ(depth, frameBuffer.bitsPerPixel);
    EXPECT_EQ(depth / 8, frameBuffer.bytesPerPixel);
    EXPECT_FALSE(frameBuffer.useFixedKey);
    const size_t stride = (641 * depth + 31) / 32 * 4;
    // Black is index 1 of the test colours; padding bytes stay 0.
    const BYTE black = depth == 8 ? 1 : 0;
    for (size_t row = 0; row < 5; ++row) {
      const BYTE* bits = frameBuffer.bits + row * stride;
      EXPECT_EQ(std::vector<BYTE>(641 * (depth / 8), black),
                std::vector<BYTE>(bits, bits + 641 * (depth / 8)));
    }
    TearDown();
  }
}

TEST_F(FrameBufferTest, EightBitColourTableIsTheMainPalette) {
  MakeBuffer(8);
  const RGBQUAD* table = frameBuffer.header->bmiColors;
  EXPECT_EQ(0xFF, table[0].rgbRed);
  EXPECT_EQ(0xFF, table[0].rgbGreen);
  EXPECT_EQ(0xFF, table[0].rgbBlue);
  for (int i : {1, 2})
    EXPECT_EQ(0, table[i].rgbRed + table[i].rgbGreen + table[i].rgbBlue);
  const std::vector<RGBQUAD> colours = TestColours();
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(colours[i].rgbRed, table[i].rgbRed);
    EXPECT_EQ(colours[i].rgbBlue, table[i].rgbBlue);
    EXPECT_EQ(0, table[i].rgbReserved);
  }
}

TEST_F(FrameBufferTest, TopLeftPixelIsTheFirstOfTheLastRowInMemory) {
  HWND window = MakeBuffer(32, 5, 4);
  const uint32_t kRed = 0xFF0000, kGreen = 0x00FF00;
  std::memcpy(frameBuffer.bits + 3 * 20, &kRed, 4);   // rows of 20 bytes: the top one is the last
  std::memcpy(frameBuffer.bits + 4 * 4, &kGreen, 4);  // the bottom-right pixel
  HDC dc = GetDC(window);
  CopyRectToWindow(dc, 0, 0, 5, 4, 0, 0);
  ReleaseDC(window, dc);
  const HeadlessSurface surface = HeadlessWindowSurface(window);
  EXPECT_EQ(kRed, surface.At(0, 0));
  EXPECT_EQ(kGreen, surface.At(4, 3));
  EXPECT_EQ(0u, surface.At(1, 0));
}

TEST_F(FrameBufferTest, EraseFillsBlackInsideTheBufferOnly) {
  MakeBuffer(24, 8, 8);
  std::memset(frameBuffer.bits, 0x55, 24 * 8);  // 8 rows of 24 bytes
  const RECT rect = {-3, 6, 2, 20};
  EraseRect(&rect);
  EXPECT_EQ(0, frameBuffer.bits[0]) << "bottom-left";
  EXPECT_EQ(0, frameBuffer.bits[24 + 5]) << "second row from the bottom";
  EXPECT_EQ(0x55, frameBuffer.bits[6]) << "third column";
  EXPECT_EQ(0x55, frameBuffer.bits[2 * 24]) << "third row from the bottom";
  EraseRect(nullptr);
}

TEST_F(FrameBufferTest, UnusableDepthsFailWithMinusTwoBeforeAnythingIsMade) {
  for (int depth : Fresh({4, 1, 33})) {
    SCOPED_TRACE(depth);
    MakeBuffer(depth);
    EXPECT_FALSE(created_);
    EXPECT_EQ(kFrameBufferBadDepth, frameBufferError);
    EXPECT_EQ(0, CountCalls("CreateCompatibleDC"));
    EXPECT_EQ(nullptr, frameBuffer.header);
    EXPECT_EQ(CountCalls("GetDC"), CountCalls("ReleaseDC"));
    EXPECT_EQ(0, HeadlessLiveGdiObjects());
    TearDown();
  }
}

TEST_F(FrameBufferTest, FailuresReportTheirCodeAndReleaseEverything) {
  struct Case {
    const char* api;
    LONG error;
  };
  const Case cases[] = {{"CreateCompatibleDC", kFrameBufferNoResources},
                        {"CreateDIBSection", kFrameBufferNoResources},
                        {"SelectObject", kFrameBufferNotSelectable}};
  for (const Case& c : Fresh(cases)) {
    SCOPED_TRACE(c.api);
    HeadlessFailCall(c.api);
    MakeBuffer(32);
    EXPECT_FALSE(created_);
    EXPECT_EQ(c.error, frameBufferError);
    EXPECT_EQ(nullptr, frameBuffer.memoryDC);
    EXPECT_EQ(nullptr, frameBuffer.bitmap);
    EXPECT_EQ(nullptr, frameBuffer.header);
    EXPECT_EQ(nullptr, frameBuffer.bits);
    EXPECT_EQ(0, frameBuffer.width);
    EXPECT_EQ(CountCalls("GetDC"), CountCalls("ReleaseDC"));
    EXPECT_EQ(0, HeadlessLiveGdiObjects());
    TearDown();
  }
  SetUp();
  MakeBuffer(32, 40000, 40000);
  EXPECT_EQ(kFrameBufferNoResources, frameBufferError) << "a picture too large for the machine";
  EXPECT_EQ(0, HeadlessLiveGdiObjects());
}

TEST_F(FrameBufferTest, CreatingTwiceReleasesTheFirstAndReleasingTwiceIsHarmless) {
  ReleaseFrameBuffer();
  MakeBuffer(16);
  frameBuffer.fixedKey = 7;
  frameBuffer.useFixedKey = TRUE;
  ASSERT_TRUE(CreateFrameBuffer(window_, 32, 16, nullptr));
  EXPECT_EQ(2, HeadlessLiveGdiObjects()) << "one memory context, one bitmap";
  EXPECT_EQ(1, CountCalls("DeleteDC"));
  EXPECT_FALSE(frameBuffer.useFixedKey);
  EXPECT_EQ(7u, frameBuffer.fixedKey) << "the key itself is kept";
  EXPECT_EQ(32, frameBuffer.width);
  ReleaseFrameBuffer();
  ReleaseFrameBuffer();
  EXPECT_EQ(0, HeadlessLiveGdiObjects());
  EXPECT_EQ(2, CountCalls("DeleteDC"));
  EXPECT_EQ(0, frameBuffer.height);
}

TEST_F(FrameBufferTest, ContextGoesBeforeTheBitmapSoTheBitmapCanBeDeleted) {
  MakeBuffer(32);
  HeadlessClearLogs();
  ReleaseFrameBuffer();
  EXPECT_EQ((std::vector<std::string>{"DeleteDC", "DeleteObject"}), HeadlessCallNames());
  EXPECT_EQ(0, HeadlessLiveGdiObjects());
}

}  // namespace
