#include "tests/render_test_support.h"

#include "bitmap_file/bitmap_file.h"
#include "render/compositor.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "sprites/bitmap_format.h"

namespace {

void ReleaseRenderer() {
  ClearDrawQueue();
  ClearDirtyList();
  ReleaseFrameBuffer();
  ReleaseMainPalette();
  frameBuffer = FrameBuffer();
  frameBufferError = kFrameBufferOk;
}

}  // namespace

void RenderTest::SetUp() {
  SaverTest::SetUp();
  ReleaseRenderer();
}

void RenderTest::TearDown() {
  ReleaseRenderer();
  SaverTest::TearDown();
}

std::vector<RGBQUAD> TestColours() {
  std::vector<RGBQUAD> colours(256);
  colours[0] = RGBQUAD{255, 255, 255, 0};
  for (int i = 3; i < 256; ++i) {
    colours[i] =
        RGBQUAD{static_cast<BYTE>(i * 53 % 256), static_cast<BYTE>(255 - i), static_cast<BYTE>(i), 0};
  }
  return colours;
}

const BITMAPINFO* TestFrame::Header() const {
  return reinterpret_cast<const BITMAPINFO*>(file.data() + kBitmapFileHeaderSize);
}

const BYTE* TestFrame::Bits() const {
  return file.data() + kIndexedPixelOffset;
}

BYTE& TestFrame::At(int x, int y) {
  return file[kIndexedPixelOffset + (height - 1 - y) * IndexedRowStride(width) + x];
}

TestFrame MakeFrame(int width, int height, BYTE fill, const std::vector<RGBQUAD>& colours) {
  TestFrame frame;
  frame.width = width;
  frame.height = height;
  const std::vector<BYTE> pixels(static_cast<size_t>(width) * height, fill);
  frame.file = IndexedBitmapFile(width, height, reinterpret_cast<const BYTE*>(colours.data()), pixels.data());
  return frame;
}

HWND MakeTargetWindow(int width, int height) {
  return HeadlessCreateForeignWindow("target", width, height);
}

uint32_t Fingerprint(const void* bytes, size_t size) {
  uint32_t hash = 2166136261u;
  const BYTE* at = static_cast<const BYTE*>(bytes);
  for (size_t i = 0; i < size; ++i)
    hash = (hash ^ at[i]) * 16777619u;
  return hash;
}

uint32_t Fingerprint(const HeadlessSurface& surface) {
  return Fingerprint(surface.pixels.data(), surface.pixels.size() * sizeof(uint32_t));
}
