// Headless device contexts as Windows keeps them: a CS_OWNDC window's one context for its whole
// life, common contexts that forget their selections when released, objects that cannot be deleted
// while selected, and the list of what a test left behind.
#include <string>
#include <vector>

#include "headless/control_gdi.h"
#include "tests/saver_test_support.h"

namespace {

using Strings = std::vector<std::string>;

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

class DeviceContextTest : public SaverTest {
 protected:
  HWND MakeWindow(UINT classStyle) {
    WNDCLASSA windowClass = {};
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = PlainProc;
    windowClass.lpszClassName = classStyle & CS_OWNDC ? "OwnContext" : "CommonContext";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 64, 48, nullptr, nullptr,
                           nullptr, nullptr);
  }

  HPALETTE MakePalette() {
    LOGPALETTE palette = {0x300, 1, {{10, 20, 30, 0}}};
    return CreatePalette(&palette);
  }
};

TEST_F(DeviceContextTest, OwnContextIsTheSameForTheWindowsLifeAndKeepsItsSelections) {
  HWND window = MakeWindow(CS_OWNDC | CS_HREDRAW);
  HPALETTE palette = MakePalette();
  HDC dc = GetDC(window);
  ASSERT_NE(nullptr, dc);
  HPALETTE previous = SelectPalette(dc, palette, FALSE);
  EXPECT_EQ(1, ReleaseDC(window, dc));
  EXPECT_EQ(dc, GetDC(window));
  EXPECT_EQ(palette, HeadlessSelectedPalette(dc)) << "ReleaseDC leaves a window's own context as it is";
  EXPECT_FALSE(DeleteObject(palette)) << "a palette selected into a context cannot be deleted";

  SelectPalette(dc, previous, FALSE);
  EXPECT_TRUE(DeleteObject(palette));
  DestroyWindow(window);
  EXPECT_EQ(0, HeadlessLiveGdiObjects(HeadlessGdiKind::DeviceContext)) << "the context goes with the window";
}

TEST_F(DeviceContextTest, CommonContextForgetsItsSelectionsWhenReleased) {
  HWND window = MakeWindow(CS_HREDRAW);
  HPALETTE palette = MakePalette();
  HDC dc = GetDC(window);
  SelectPalette(dc, palette, FALSE);
  EXPECT_FALSE(DeleteObject(palette));
  EXPECT_EQ(1, ReleaseDC(window, dc));
  HDC again = GetDC(window);
  EXPECT_NE(palette, HeadlessSelectedPalette(again));
  EXPECT_TRUE(DeleteObject(palette)) << "released, the context no longer holds the palette";
  ReleaseDC(window, again);
  DestroyWindow(window);
}

TEST_F(DeviceContextTest, BitmapSelectedIntoAMemoryContextCannotBeDeleted) {
  BITMAPINFOHEADER header = {sizeof header, 4, 4, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap =
      CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(nullptr);
  SelectObject(memory, bitmap);
  EXPECT_FALSE(DeleteObject(bitmap));
  EXPECT_TRUE(DeleteDC(memory));
  EXPECT_TRUE(DeleteObject(bitmap)) << "the context is gone, so the bitmap is free";
}

TEST_F(DeviceContextTest, LeftoversNameWhatIsAliveAndWhereItIsSelected) {
  HWND owning = MakeWindow(CS_OWNDC);
  HWND common = MakeWindow(0);
  HPALETTE palette = MakePalette();
  HDC own = GetDC(owning);
  SelectPalette(own, palette, FALSE);
  HDC held = GetDC(common);
  EXPECT_EQ((Strings{"palette " + HandleText(palette) + " alive, selected into " + HandleText(own) +
                         " (own context of window " + HandleText(owning) + ")",
                     "device context " + HandleText(held) + " alive"}),
            HeadlessGdiLeftovers());

  DestroyWindow(owning);
  EXPECT_EQ(
      (Strings{"palette " + HandleText(palette) + " alive", "device context " + HandleText(held) + " alive"}),
      HeadlessGdiLeftovers())
      << "a palette still selected when its window went is not deleted with it";
  ReleaseDC(common, held);
  EXPECT_TRUE(DeleteObject(palette));
  EXPECT_EQ(Strings(), HeadlessGdiLeftovers());
  DestroyWindow(common);
}

}  // namespace
