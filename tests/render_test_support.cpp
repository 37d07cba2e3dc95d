#include "tests/render_test_support.h"

#include <cstring>

#include "render/compositor.h"
#include "render/frame_buffer.h"
#include "render/palette.h"

namespace {

const size_t kFileHeader = 14;
const size_t kInfoHeader = 40;
const size_t kColourTableBytes = 256 * 4;

void ReleaseRenderer() {
  ClearDrawQueue();
  ClearDirtyList();
  ReleaseFrameBuffer();
  ReleaseMainPalette();
  frameBuffer = FrameBuffer();
  frameBufferError = kFrameBufferOk;
}

template <typename T>
void Put(std::vector<BYTE>& bytes, size_t at, T value) {
  std::memcpy(bytes.data() + at, &value, sizeof value);
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
  return reinterpret_cast<const BITMAPINFO*>(file.data() + kFileHeader);
}

const BYTE* TestFrame::Bits() const {
  return file.data() + kFileHeader + kInfoHeader + kColourTableBytes;
}

BYTE& TestFrame::At(int x, int y) {
  const size_t stride = (width + 3) & ~3;
  return file[kFileHeader + kInfoHeader + kColourTableBytes + (height - 1 - y) * stride + x];
}

TestFrame MakeFrame(int width, int height, BYTE fill, const std::vector<RGBQUAD>& colours) {
  TestFrame frame;
  frame.width = width;
  frame.height = height;
  const size_t stride = (width + 3) & ~3;
  const size_t pixelsAt = kFileHeader + kInfoHeader + kColourTableBytes;
  frame.file.assign(pixelsAt + stride * height, fill);
  Put<WORD>(frame.file, 0, 0x4D42);
  Put<DWORD>(frame.file, 2, static_cast<DWORD>(frame.file.size()));
  Put<DWORD>(frame.file, 6, 0);
  Put<DWORD>(frame.file, 10, static_cast<DWORD>(pixelsAt));
  BITMAPINFOHEADER header = {};
  header.biSize = kInfoHeader;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 8;
  header.biSizeImage = static_cast<DWORD>(stride * height);
  header.biClrUsed = 256;
  header.biClrImportant = 256;
  Put(frame.file, kFileHeader, header);
  std::memcpy(frame.file.data() + kFileHeader + kInfoHeader, colours.data(), kColourTableBytes);
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
