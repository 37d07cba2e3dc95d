// Rendering tests: a fresh machine with nothing of the renderer alive, and synthetic 8-bit frames
// laid out like the BMP files inside the picture resources.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "headless/control_gdi.h"
#include "tests/saver_test_support.h"

class RenderTest : public SaverTest {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// 256 colours: entry 0 white, 1 and 2 black, every other one distinct and not black.
std::vector<RGBQUAD> TestColours();

// A complete BMP file, so that its header sits 14 bytes in (2-byte aligned) as in a resource.
struct TestFrame {
  std::vector<BYTE> file;
  int width = 0;
  int height = 0;
  const BITMAPINFO* Header() const;
  const BYTE* Bits() const;
  // The pixel at column x of row y, rows counted from the top.
  BYTE& At(int x, int y);
};

TestFrame MakeFrame(int width, int height, BYTE fill, const std::vector<RGBQUAD>& colours = TestColours());

// A window of the Logical screen's size to copy into.
HWND MakeTargetWindow(int width, int height);

// FNV-1a of a byte range, for golden pictures.
uint32_t Fingerprint(const void* bytes, size_t size);
uint32_t Fingerprint(const HeadlessSurface& surface);
