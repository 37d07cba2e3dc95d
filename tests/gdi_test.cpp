// Headless GDI behaves like the real one where the renderer depends on it: DIB layouts, selection
// rules, colour matching, copying to windows and palettes.
#include <windows.h>

#include <cstring>
#include <vector>

#include "headless/control_gdi.h"
#include "tests/render_test_support.h"

namespace {

class GdiTest : public RenderTest {};

// A bottom-up DIB header at the given depth, with the test colours at 8 bits (DIB_PAL_COLORS: index i
// names entry 19 - i of the 20-colour default palette) and the 5-5-5 or 8-8-8 masks at 16 and 32.
struct DibInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

DibInfo MakeInfo(int width, int height, int depth, UINT usage = DIB_RGB_COLORS) {
  DibInfo info = {};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = height;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(depth);
  if (depth == 8) {
    const std::vector<RGBQUAD> colours = TestColours();
    std::memcpy(info.colours, colours.data(), sizeof info.colours);
    for (int i = 0; usage == DIB_PAL_COLORS && i < 256; ++i) {
      const WORD index = static_cast<WORD>(19 - i % 20);
      std::memcpy(reinterpret_cast<BYTE*>(info.colours) + 2 * i, &index, sizeof index);
    }
  } else if (depth == 16 || depth == 32) {
    info.header.biCompression = BI_BITFIELDS;
    const DWORD masks[2][3] = {{0x7C00, 0x3E0, 0x1F}, {0xFF0000, 0xFF00, 0xFF}};
    std::memcpy(info.colours, masks[depth == 32], sizeof masks[0]);
  }
  return info;
}

uint32_t RgbOfTestColour(const RGBQUAD& colour) {
  return uint32_t{colour.rgbRed} << 16 | colour.rgbGreen << 8 | colour.rgbBlue;
}

const BITMAPINFO* AsInfo(const DibInfo& info) {
  return reinterpret_cast<const BITMAPINFO*>(&info);
}

struct Section {
  HDC dc;
  HBITMAP bitmap;
  BYTE* bits;
};

// DIB_PAL_COLORS takes its colours from the new context's palette, the default one.
Section MakeSection(int width, int height, int depth, UINT usage = DIB_RGB_COLORS) {
  const DibInfo info = MakeInfo(width, height, depth, usage);
  Section section = {CreateCompatibleDC(nullptr), nullptr, nullptr};
  void* bits = nullptr;
  section.bitmap = CreateDIBSection(usage == DIB_PAL_COLORS ? section.dc : nullptr, AsInfo(info), usage,
                                    &bits, nullptr, 0);
  section.bits = static_cast<BYTE*>(bits);
  SelectObject(section.dc, section.bitmap);
  return section;
}

void Delete(const Section& section) {
  DeleteDC(section.dc);
  DeleteObject(section.bitmap);
}

HeadlessSurface CopyToWindow(const Section& section, int width, int height) {
  HWND window = MakeTargetWindow(width, height);
  HDC dc = GetDC(window);
  BitBlt(dc, 0, 0, width, height, section.dc, 0, 0, SRCCOPY);
  ReleaseDC(window, dc);
  return HeadlessWindowSurface(window);
}

// A copy between two DIBs of one format, by BitBlt or StretchDIBits, copies the bytes themselves.
TEST_F(GdiTest, EachDibFormatShowsItsColourAndStoresRowsBottomUp) {
  struct Case {
    int depth;
    UINT usage;
    std::vector<BYTE> pixel;  // written as the first pixel in memory: the bottom-left one
    uint32_t shown;
  };
  const std::vector<Case> cases = {
      {8, DIB_RGB_COLORS, {7}, 0x07F873},             // test colour 7: red 7, green 248, blue 7 * 53 % 256
      {8, DIB_PAL_COLORS, {6}, 0xFF0000},             // palette entry 13
      {16, DIB_RGB_COLORS, {0x00, 0x7E}, 0xFF8400},   // 5-5-5: red 31, green 16 widened to 132
      {24, DIB_RGB_COLORS, {7, 128, 255}, 0xFF8007},  // blue, green, red
      {32, DIB_RGB_COLORS, {7, 128, 255, 0}, 0xFF8007},
      {32, DIB_RGB_COLORS, {7, 128, 255, 0xA5}, 0xFF8007},  // the fourth byte is not shown
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.depth);
    const Section section = MakeSection(3, 2, c.depth, c.usage), copy = MakeSection(3, 2, c.depth, c.usage);
    ASSERT_NE(nullptr, section.bits);
    std::memcpy(section.bits, c.pixel.data(), c.pixel.size());
    const HeadlessSurface surface = CopyToWindow(section, 3, 2);
    EXPECT_EQ(c.shown, surface.At(0, 1));
    const uint32_t zero = c.depth == 8 ? 0xFFFFFF : 0;  // index 0 is white
    EXPECT_EQ(zero, surface.At(0, 0)) << "the first row in memory is the bottom row";
    BitBlt(copy.dc, 0, 0, 3, 2, section.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(c.pixel, std::vector<BYTE>(copy.bits, copy.bits + c.pixel.size()));
    std::memset(copy.bits, 0, c.pixel.size());
    const DibInfo info = MakeInfo(3, 2, c.depth, c.usage);
    EXPECT_EQ(2,
              StretchDIBits(copy.dc, 0, 0, 3, 2, 0, 0, 3, 2, section.bits, AsInfo(info), c.usage, SRCCOPY));
    EXPECT_EQ(c.pixel, std::vector<BYTE>(copy.bits, copy.bits + c.pixel.size()));
    Delete(section);
    Delete(copy);
  }
}

TEST_F(GdiTest, SectionMemoryHoldsPaddedRowsAtOddWidths) {
  for (int depth : {8, 16, 24, 32}) {
    const Section section = MakeSection(641, 3, depth);
    const size_t stride = (641 * depth + 31) / 32 * 4;
    // The last byte of the padded last row is ours to write; a short block would trip the sanitizer.
    section.bits[stride * 3 - 1] = 0xAB;
    EXPECT_EQ(0, section.bits[0]) << "new sections start zero-filled";
    Delete(section);
  }
}

TEST_F(GdiTest, BlackBrushPicksTheFirstClosestIndexAtEightBits) {
  const Section eight = MakeSection(4, 4, 8);
  const RECT all = {0, 0, 4, 4};
  std::memset(eight.bits, 9, 16);
  FillRect(eight.dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(std::vector<BYTE>(16, 1), std::vector<BYTE>(eight.bits, eight.bits + 16));
  FillRect(eight.dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(0, eight.bits[5]);
  Delete(eight);

  const Section sixteen = MakeSection(2, 1, 16);
  std::memset(sixteen.bits, 0xFF, 4);
  FillRect(sixteen.dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(std::vector<BYTE>(4, 0), std::vector<BYTE>(sixteen.bits, sixteen.bits + 4));
  Delete(sixteen);
}

TEST_F(GdiTest, FillsAndCopiesStayInsideTheirTargets) {
  const Section section = MakeSection(4, 4, 32);
  const RECT beyond = {-5, -5, 2, 100};
  EXPECT_EQ(1, FillRect(section.dc, &beyond, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))));
  HWND window = MakeTargetWindow(3, 3);
  HDC dc = GetDC(window);
  EXPECT_TRUE(BitBlt(dc, -1, 1, 10, 10, section.dc, 0, 0, SRCCOPY));
  ReleaseDC(window, dc);
  const HeadlessSurface surface = HeadlessWindowSurface(window);
  // Source column 1 (white) lands at column 0, source column 2 (black) at column 1.
  EXPECT_EQ(0u, surface.At(0, 0));
  EXPECT_EQ(0xFFFFFFu, surface.At(0, 1));
  EXPECT_EQ(0u, surface.At(1, 2));
  Delete(section);
}

TEST_F(GdiTest, ASectionIsSelectedIntoOneContextAndCannotBeDeletedThere) {
  const Section section = MakeSection(2, 2, 32);
  HDC other = CreateCompatibleDC(nullptr);
  EXPECT_EQ(nullptr, SelectObject(other, section.bitmap)) << "already selected elsewhere";
  EXPECT_FALSE(DeleteObject(section.bitmap)) << "still selected";
  HGDIOBJ original = HeadlessSelectedBitmap(other);
  DeleteDC(section.dc);
  EXPECT_EQ(original, SelectObject(other, section.bitmap)) << "the previous object comes back";
  EXPECT_EQ(section.bitmap, SelectObject(other, original));
  EXPECT_TRUE(DeleteObject(section.bitmap));
  DeleteDC(other);
  EXPECT_EQ(0, HeadlessLiveGdiObjects());
}

TEST_F(GdiTest, WindowContextsTakeNoBitmapsAndCountUntilReleased) {
  HWND window = MakeTargetWindow(2, 2);
  HDC dc = GetDC(window);
  const Section section = MakeSection(2, 2, 32);
  EXPECT_EQ(nullptr, SelectObject(dc, section.bitmap));
  EXPECT_EQ(3, HeadlessLiveGdiObjects());
  EXPECT_EQ(0, DeleteDC(dc)) << "a window's context is released, not deleted";
  EXPECT_EQ(1, ReleaseDC(window, dc));
  Delete(section);
  EXPECT_EQ(0, HeadlessLiveGdiObjects());
}

TEST_F(GdiTest, InjectedFailuresReturnWhatTheRealCallsReturn) {
  HeadlessFailCall("CreateCompatibleDC");
  EXPECT_EQ(nullptr, CreateCompatibleDC(nullptr));
  HeadlessFailCall("CreateDIBSection");
  const DibInfo info = MakeInfo(2, 2, 8);
  void* bits = reinterpret_cast<void*>(1);
  EXPECT_EQ(nullptr, CreateDIBSection(nullptr, AsInfo(info), DIB_RGB_COLORS, &bits, nullptr, 0));
  EXPECT_EQ(nullptr, bits);
  const Section section = MakeSection(2, 2, 8);
  HDC dc = CreateCompatibleDC(nullptr);
  HeadlessFailCall("SelectObject");
  EXPECT_EQ(nullptr, SelectObject(dc, section.bitmap));
  HeadlessFailCall("CreatePalette");
  LOGPALETTE palette = {0x300, 1, {{1, 2, 3, 0}}};
  EXPECT_EQ(nullptr, CreatePalette(&palette));
  DeleteDC(dc);
  Delete(section);
  EXPECT_EQ(0, HeadlessLiveGdiObjects());
}

TEST_F(GdiTest, MalformedDibsAreRefused) {
  DibInfo info = MakeInfo(2, 2, 8);
  void* bits = nullptr;
  info.header.biBitCount = 4;
  EXPECT_EQ(nullptr, CreateDIBSection(nullptr, AsInfo(info), DIB_RGB_COLORS, &bits, nullptr, 0));
  info = MakeInfo(0, 2, 32);
  EXPECT_EQ(nullptr, CreateDIBSection(nullptr, AsInfo(info), DIB_RGB_COLORS, &bits, nullptr, 0));
  info = MakeInfo(100000, 100000, 32);
  EXPECT_EQ(nullptr, CreateDIBSection(nullptr, AsInfo(info), DIB_RGB_COLORS, &bits, nullptr, 0));
  info = MakeInfo(2, 2, 24);
  info.header.biCompression = BI_BITFIELDS;
  EXPECT_EQ(nullptr, CreateDIBSection(nullptr, AsInfo(info), DIB_RGB_COLORS, &bits, nullptr, 0));
  info = MakeInfo(2, 2, 8, DIB_PAL_COLORS);
  EXPECT_EQ(nullptr, CreateDIBSection(nullptr, AsInfo(info), DIB_PAL_COLORS, &bits, nullptr, 0))
      << "no palette";
  EXPECT_EQ(nullptr, CreateDIBSection(nullptr, AsInfo(info), 2, &bits, nullptr, 0)) << "no such usage";
  EXPECT_EQ(0, HeadlessLiveGdiObjects());
}

TEST_F(GdiTest, APaletteDisplayShowsOnlyTheRealisedPalettesColours) {
  HeadlessSetBitsPerPixel(8);
  const Section section = MakeSection(1, 1, 8);
  section.bits[0] = 7;  // red 7, green 248, blue 115: not among the reserved colours
  HWND window = MakeTargetWindow(1, 1);
  HDC dc = GetDC(window);
  BitBlt(dc, 0, 0, 1, 1, section.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(0x00FF00u, HeadlessWindowSurface(window).At(0, 0)) << "nearest reserved colour";

  LOGPALETTE palette = {0x300, 1, {{7, 248, 115, 0}}};
  HPALETTE handle = CreatePalette(&palette);
  HPALETTE previous = SelectPalette(dc, handle, FALSE);
  BitBlt(dc, 0, 0, 1, 1, section.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(0x00FF00u, HeadlessWindowSurface(window).At(0, 0)) << "selected but not realised";
  EXPECT_EQ(1u, RealizePalette(dc));
  EXPECT_TRUE(HeadlessSystemPalette().empty()) << "a window in the background realises a background palette";
  SetForegroundWindow(window);
  EXPECT_EQ(1u, RealizePalette(dc));
  BitBlt(dc, 0, 0, 1, 1, section.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(0x07F873u, HeadlessWindowSurface(window).At(0, 0));
  ASSERT_EQ(1u, HeadlessSystemPalette().size());
  EXPECT_EQ(248, HeadlessSystemPalette()[0].peGreen);

  EXPECT_FALSE(DeleteObject(handle)) << "still selected";
  EXPECT_EQ(handle, SelectPalette(dc, previous, FALSE));
  EXPECT_TRUE(DeleteObject(handle));
  ReleaseDC(window, dc);
  Delete(section);
  EXPECT_EQ(0, HeadlessLiveGdiObjects());
}

TEST_F(GdiTest, BackgroundPalettesAndDirectColourDisplaysLeaveTheScreenColoursAlone) {
  LOGPALETTE palette = {0x300, 1, {{7, 248, 115, 0}}};
  HDC screen = GetDC(nullptr);
  HPALETTE handle = CreatePalette(&palette);
  HPALETTE previous = SelectPalette(screen, handle, FALSE);
  RealizePalette(screen);
  EXPECT_TRUE(HeadlessSystemPalette().empty()) << "32 bits per pixel";
  HeadlessSetBitsPerPixel(8);
  SelectPalette(screen, handle, TRUE);
  RealizePalette(screen);
  EXPECT_TRUE(HeadlessSystemPalette().empty()) << "background";
  SelectPalette(screen, previous, FALSE);
  DeleteObject(handle);
  ReleaseDC(nullptr, screen);
}

TEST_F(GdiTest, StretchDIBitsScalesByNearestPixelFromTheBottomUpSource) {
  TestFrame frame = MakeFrame(2, 2, 0);
  frame.At(0, 0) = 3;  // top-left
  frame.At(1, 0) = 4;
  frame.At(0, 1) = 5;
  frame.At(1, 1) = 6;
  HWND window = MakeTargetWindow(6, 5);
  HDC dc = GetDC(window);
  EXPECT_EQ(4,
            StretchDIBits(dc, 1, 1, 4, 4, 0, 0, 2, 2, frame.Bits(), frame.Header(), DIB_RGB_COLORS, SRCCOPY));
  ReleaseDC(window, dc);
  const HeadlessSurface surface = HeadlessWindowSurface(window);
  const std::vector<RGBQUAD> colours = TestColours();
  auto rgb = [&](int index) {
    return uint32_t{colours[index].rgbRed} << 16 | colours[index].rgbGreen << 8 | colours[index].rgbBlue;
  };
  EXPECT_EQ(0u, surface.At(0, 0));
  EXPECT_EQ(rgb(3), surface.At(1, 1));
  EXPECT_EQ(rgb(3), surface.At(2, 2));
  EXPECT_EQ(rgb(4), surface.At(3, 1));
  EXPECT_EQ(rgb(5), surface.At(1, 3));
  EXPECT_EQ(rgb(6), surface.At(4, 4));
  EXPECT_EQ(0u, surface.At(5, 4));
}

// Measured on the platform: enlarging shows the pixel under each centre, shrinking the last pixel
// each destination pixel covers, both counted from the bottom of a bottom-up DIB.
TEST_F(GdiTest, StretchingPicksThePixelsThePlatformPicks) {
  TestFrame frame = MakeFrame(5, 3, 0);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x)
      frame.At(x, y) = static_cast<BYTE>(3 + 5 * y + x);
  }
  const std::vector<RGBQUAD> colours = TestColours();
  HWND window = MakeTargetWindow(10, 5);
  HDC dc = GetDC(window);
  StretchDIBits(dc, 0, 0, 2, 2, 0, 0, 5, 3, frame.Bits(), frame.Header(), DIB_RGB_COLORS, SRCCOPY);
  StretchDIBits(dc, 2, 0, 8, 3, 0, 0, 5, 3, frame.Bits(), frame.Header(), DIB_RGB_COLORS, SRCCOPY);
  ReleaseDC(window, dc);
  const HeadlessSurface surface = HeadlessWindowSurface(window);
  auto index = [&](int x, int y) {
    for (int i = 0; i < 256; ++i) {
      if (RgbOfTestColour(colours[i]) == surface.At(x, y))
        return i;
    }
    return -1;
  };
  EXPECT_EQ((std::vector<int>{4, 7, 14, 17}),
            (std::vector<int>{index(0, 0), index(1, 0), index(0, 1), index(1, 1)}));
  std::vector<int> enlarged;
  for (int x = 2; x < 10; ++x)
    enlarged.push_back(index(x, 0));
  EXPECT_EQ((std::vector<int>{3, 3, 4, 5, 5, 6, 7, 7}), enlarged);
}

// A destination pixel whose centre falls on the border of two source pixels shows the one to the
// left, and of two rows the upper one, as Wine showed for 2x2 enlarged to 3x3.
TEST_F(GdiTest, StretchingSplitsTiesTowardsTheUpperLeft) {
  TestFrame frame = MakeFrame(2, 2, 0);
  frame.At(0, 0) = 3;
  frame.At(1, 0) = 4;
  frame.At(0, 1) = 5;
  frame.At(1, 1) = 6;
  const std::vector<RGBQUAD> colours = TestColours();
  HWND window = MakeTargetWindow(3, 3);
  HDC dc = GetDC(window);
  StretchDIBits(dc, 0, 0, 3, 3, 0, 0, 2, 2, frame.Bits(), frame.Header(), DIB_RGB_COLORS, SRCCOPY);
  ReleaseDC(window, dc);
  const HeadlessSurface surface = HeadlessWindowSurface(window);
  std::vector<uint32_t> expected, shown;
  for (int index : {3, 3, 4, 3, 3, 4, 5, 5, 6})
    expected.push_back(RgbOfTestColour(colours[index]));
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x)
      shown.push_back(surface.At(x, y));
  }
  EXPECT_EQ(expected, shown);
}

TEST_F(GdiTest, DeviceBitmapsCopyTheirDibAndCountAsObjects) {
  TestFrame frame = MakeFrame(3, 2, 5);
  frame.At(2, 0) = 9;
  HWND window = MakeTargetWindow(3, 2);
  HDC dc = GetDC(window);
  HBITMAP bitmap = CreateDIBitmap(dc, reinterpret_cast<const BITMAPINFOHEADER*>(frame.Header()), CBM_INIT,
                                  frame.Bits(), frame.Header(), DIB_RGB_COLORS);
  ASSERT_NE(nullptr, bitmap);
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ original = SelectObject(memory, bitmap);
  BitBlt(dc, 0, 0, 3, 2, memory, 0, 0, SRCCOPY);
  const std::vector<RGBQUAD> colours = TestColours();
  EXPECT_EQ(uint32_t{colours[9].rgbRed} << 16 | colours[9].rgbGreen << 8 | colours[9].rgbBlue,
            HeadlessWindowSurface(window).At(2, 0));
  EXPECT_EQ(3, HeadlessLiveGdiObjects());
  SelectObject(memory, original);
  DeleteDC(memory);
  DeleteObject(bitmap);
  ReleaseDC(window, dc);
  EXPECT_EQ(0, HeadlessLiveGdiObjects());
}

}  // namespace
