#include "e2e/picture/picture.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "bitmap_file/bitmap_file.h"
#include "render/compositor.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "sprites/bitmap_format.h"

namespace {

// The palette stays alive while the picture is on the screen.
MainPalette picturePalette;

// A BMP file as the picture resources hold them: header 14 bytes in, rows bottom-up.
struct Frame {
  std::vector<BYTE> file;
  int width;
  int height;
  const BITMAPINFO* Header() const {
    return reinterpret_cast<const BITMAPINFO*>(file.data() + kBitmapFileHeaderSize);
  }
  const BYTE* Bits() const { return file.data() + kIndexedPixelOffset; }
  BYTE& At(int x, int y) {
    return file[kIndexedPixelOffset + (height - 1 - y) * IndexedRowStride(width) + x];
  }
};

// Index patterns that walk the whole colour table, with transparent (index 1) holes and rims.
enum class Pattern { Ramp, Rings, Stripes };

BYTE PatternIndex(Pattern pattern, int x, int y, int width, int height) {
  switch (pattern) {
    case Pattern::Ramp:
      if (x == 0 || y == height - 1 || (x / 9 + y / 7) % 6 == 0)
        return 1;
      return static_cast<BYTE>((x * 5 + y * 3) % 253 + 3);
    case Pattern::Rings: {
      const int dx = 2 * x - width, dy = 2 * y - height;
      const int ring = (dx * dx + dy * dy) / 97;
      return ring % 4 == 0 ? 1 : static_cast<BYTE>(ring * 7 % 256);
    }
    case Pattern::Stripes:
      return x % 11 < 2 ? 1 : static_cast<BYTE>((y * 13 + x) % 256);
  }
  return 0;
}

Frame MakeFrame(int width, int height, Pattern pattern, const BYTE* colourTable) {
  std::vector<BYTE> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      pixels.push_back(PatternIndex(pattern, x, y, width, height));
  }
  return {IndexedBitmapFile(width, height, colourTable, pixels.data()), width, height};
}

struct Drawing {
  const Frame* frame;
  RECT rect;
  DWORD mode;
  LONG layer;
};

void Queue(const Drawing& drawing) {
  RECT rect = drawing.rect;
  if (QueueDraw(&rect, &rect, drawing.frame->Header(), drawing.frame->Bits(), drawing.mode, drawing.layer))
    AddDirtyRect(&rect);
}

void Erase(const RECT& rect) {
  EraseRect(&rect);
  AddDirtyRect(&rect);
}

void ComposeTicks(HDC dc, const BYTE* colourTable) {
  const Frame actor = MakeFrame(120, 90, Pattern::Ramp, colourTable);
  const Frame tall = MakeFrame(75, 100, Pattern::Rings, colourTable);
  const Frame logo = MakeFrame(121, 30, Pattern::Stripes, colourTable);
  Frame keyedBySeven = MakeFrame(61, 47, Pattern::Rings, colourTable);
  keyedBySeven.At(0, 46) = 7;  // bottom-left: the key while no fixed key is set

  // First tick: each frame's bottom-left pixel is its key; every edge cuts something.
  const Drawing first[] = {{&actor, {-30, -20, 90, 70}, kDrawKeyed, 1},
                           {&actor, {560, 420, 680, 510}, kDrawKeyedMirrored, 1},
                           {&tall, {300, -40, 375, 60}, kDrawOpaque, 1},
                           {&logo, {-50, 300, 71, 330}, kDrawKeyed, 2},
                           {&logo, {250, 200, 371, 230}, kDrawKeyedMirrored, 2},
                           {&tall, {280, 180, 355, 280}, kDrawKeyed, 1},
                           {&keyedBySeven, {600, 100, 661, 147}, kDrawKeyed, 1},
                           {&keyedBySeven, {150, 350, 211, 397}, kDrawKeyed, 1}};
  for (const Drawing& drawing : first)
    Queue(drawing);
  ComposeFrame();
  FlushDirtyRects(dc);

  // Second tick: index 1 is transparent everywhere; old places are erased, a logo queued before
  // the frame it covers.
  SetTransparentKey(1);
  Erase({320, 0, 360, 40});
  Erase({290, 190, 330, 250});
  const Drawing second[] = {{&logo, {110, 160, 231, 190}, kDrawKeyed, 2},
                            {&actor, {100, 150, 220, 240}, kDrawKeyedMirrored, 1},
                            {&tall, {400, 440, 475, 540}, kDrawKeyed, 1},
                            {&keyedBySeven, {-20, 430, 41, 477}, kDrawOpaque, 1},
                            {&actor, {500, 250, 620, 340}, kDrawOpaque, 0}};
  for (const Drawing& drawing : second)
    Queue(drawing);
  ComposeFrame();
  FlushDirtyRects(dc);

  // The preview's way: whole frames stretched straight into the window, up and down.
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, 645, 10, 151, 201, 0, 0, tall.width, tall.height, tall.Bits(), tall.Header(),
                DIB_RGB_COLORS, SRCCOPY);
  StretchDIBits(dc, 650, 260, 53, 37, 0, 0, actor.width, actor.height, actor.Bits(), actor.Header(),
                DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace

std::vector<BYTE> ReadPaletteFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<BYTE> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.size() < kIndexedPixelOffset)
    bytes.clear();
  return bytes;
}

std::string DrawPicture(HWND window, const std::vector<BYTE>& paletteFile) {
  const BYTE* colourTable = paletteFile.data() + kBitmapColourTableOffset;
  ClearSystemPalette();
  HDC dc = GetDC(window);
  const RECT client = {0, 0, kPictureWidth, kPictureHeight};
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  HPALETTE previous = nullptr;
  if (GetDeviceCaps(dc, BITSPIXEL) == 8) {
    picturePalette.entries = LogPaletteFromBitmap(
        reinterpret_cast<const BITMAPINFOHEADER*>(paletteFile.data() + kBitmapFileHeaderSize));
    picturePalette.handle = picturePalette.entries ? CreatePalette(picturePalette.entries) : nullptr;
    if (!picturePalette.handle) {
      ReleaseDC(window, dc);
      return "no palette";
    }
    previous = SelectPalette(dc, picturePalette.handle, FALSE);
    RealizePalette(dc);
  }
  std::string failure;
  if (CreateFrameBuffer(window, kPictureBufferWidth, kPictureBufferHeight, picturePalette.entries))
    ComposeTicks(dc, colourTable);
  else
    failure = "no frame buffer: " + std::to_string(frameBufferError);
  GdiFlush();
  if (picturePalette.handle)
    SelectPalette(dc, previous, FALSE);
  ReleaseDC(window, dc);
  return failure;
}

void ReleasePicture() {
  ReleaseFrameBuffer();
  if (picturePalette.handle)
    DeleteObject(picturePalette.handle);
  std::free(picturePalette.entries);
  picturePalette = MainPalette();
}
