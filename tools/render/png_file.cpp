#include "tools/render/png_file.h"

#include <png.h>

#include <cstdio>
#include <vector>

bool WritePng(const std::string& path, const HeadlessSurface& picture) {
  if (picture.width <= 0 || picture.height <= 0)
    return false;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file)
    return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  std::vector<png_byte> row(static_cast<size_t>(picture.width) * 3);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height),
               8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  // Frames are mostly black and there are many of them: fast beats small.
  png_set_compression_level(png, 1);
  png_write_info(png, info);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const uint32_t pixel = picture.At(x, y);
      row[3 * x] = static_cast<png_byte>(pixel >> 16);
      row[3 * x + 1] = static_cast<png_byte>(pixel >> 8);
      row[3 * x + 2] = static_cast<png_byte>(pixel);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}
