// Draws typical saver ticks: a 75x100 actor frame and a 121x30 logo, both keyed, each erased at its
// previous place, composed into a 1920x1080 32-bit frame buffer and flushed to the window.
// usage: tick_callgrind [TICKS]  (100 by default). Collect DrawOneTick only to count one tick's work.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "headless/control.h"
#include "render/compositor.h"
#include "render/frame_buffer.h"

namespace {

const int kScreenWidth = 1920;
const int kScreenHeight = 1080;

struct Frame {
  std::vector<BYTE> info;  // header and colour table
  std::vector<BYTE> bits;
  const BITMAPINFO* Header() const { return reinterpret_cast<const BITMAPINFO*>(info.data()); }
};

// About a third of an actor's pixels are background (index 1), in runs as in drawn sprites.
Frame MakeFrame(int width, int height) {
  Frame frame;
  frame.info.assign(40 + 256 * 4, 0);
  BITMAPINFOHEADER header = {};
  header.biSize = 40;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 8;
  header.biClrUsed = 256;
  std::memcpy(frame.info.data(), &header, sizeof header);
  for (int i = 0; i < 256; ++i) {
    const BYTE colour[4] = {static_cast<BYTE>(i * 3), static_cast<BYTE>(255 - i), static_cast<BYTE>(i), 0};
    std::memcpy(frame.info.data() + 40 + 4 * i, colour, 4);
  }
  const int stride = (width + 3) & ~3;
  frame.bits.assign(static_cast<size_t>(stride) * height, 1);
  for (int y = 0; y < height; ++y) {
    const int inset = width / 6 + (y * 7 % 11);
    for (int x = inset; x < width - inset; ++x)
      frame.bits[static_cast<size_t>(y) * stride + x] = static_cast<BYTE>(3 + (x * 5 + y * 3) % 250);
  }
  return frame;
}

struct Scene {
  Frame actor = MakeFrame(75, 100);
  Frame logo = MakeFrame(121, 30);
  RECT actorRect = {};
  RECT logoRect = {};
};

void Redraw(RECT* rect, const Frame& frame, int x, int y, LONG layer) {
  EraseRect(rect);
  AddDirtyRect(rect);
  const BITMAPINFOHEADER header = frame.Header()->bmiHeader;
  *rect = RECT{x, y, x + header.biWidth, y + header.biHeight};
  if (QueueDraw(rect, rect, frame.Header(), frame.bits.data(), DrawKeyed, layer))
    AddDirtyRect(rect);
}

__attribute__((noinline)) void DrawOneTick(HWND window, Scene& scene, int tick) {
  HDC dc = GetDC(window);
  Redraw(&scene.actorRect, scene.actor, 900 + tick % 7 * 3, 500 - tick % 5 * 2, 1);
  Redraw(&scene.logoRect, scene.logo, 700, 420, 2);
  ComposeFrame();
  FlushDirtyRects(dc);
  ReleaseDC(window, dc);
}

}  // namespace

int main(int argc, char** argv) {
  const int ticks = argc > 1 ? std::atoi(argv[1]) : 100;
  HeadlessReset();
  HeadlessSetScreen(kScreenWidth, kScreenHeight);
  HeadlessSetBitsPerPixel(32);
  HWND window = HeadlessCreateForeignWindow("Screen Saver", kScreenWidth, kScreenHeight);
  if (!CreateFrameBuffer(window, kScreenWidth, kScreenHeight, nullptr)) {
    std::fprintf(stderr, "no frame buffer: %d\n", static_cast<int>(frameBufferError));
    return 1;
  }
  SetTransparentKey(1);
  Scene scene;
  for (int tick = 0; tick < ticks; ++tick) {
    DrawOneTick(window, scene, tick);
    HeadlessClearLogs();
  }
  ReleaseFrameBuffer();
  std::printf("%d ticks drawn\n", ticks);
  return 0;
}
