// The picture as headless GDI draws it, written as a binary PPM of the window's client area.
// usage: picture_native PALETTE.bmp BITS_PER_PIXEL OUT.ppm
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "e2e/picture/picture.h"
#include "headless/control.h"
#include "headless/control_gdi.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: picture_native PALETTE.bmp BITS_PER_PIXEL OUT.ppm\n");
    return 2;
  }
  const std::vector<BYTE> palette = ReadPaletteFile(argv[1]);
  if (palette.empty()) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  HeadlessReset();
  HeadlessSetScreen(1024, 768);
  HeadlessSetBitsPerPixel(std::atoi(argv[2]));
  HWND window = HeadlessCreateForeignWindow("Render picture", kPictureWidth, kPictureHeight);
  const std::string failure = DrawPicture(window, palette);
  if (!failure.empty()) {
    std::fprintf(stderr, "%s\n", failure.c_str());
    return 1;
  }
  const HeadlessSurface surface = HeadlessWindowSurface(window);
  ReleasePicture();
  if (HeadlessLiveGdiObjects() != 0) {
    std::fprintf(stderr, "%d GDI objects left alive\n", HeadlessLiveGdiObjects());
    return 1;
  }

  FILE* out = std::fopen(argv[3], "wb");
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", argv[3]);
    return 1;
  }
  std::fprintf(out, "P6\n%d %d\n255\n", surface.width, surface.height);
  for (uint32_t pixel : surface.pixels) {
    const unsigned char rgb[3] = {static_cast<unsigned char>(pixel >> 16),
                                  static_cast<unsigned char>(pixel >> 8), static_cast<unsigned char>(pixel)};
    std::fwrite(rgb, 1, 3, out);
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
