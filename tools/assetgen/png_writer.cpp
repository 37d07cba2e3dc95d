#include "png_writer.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace assetgen {

bool WriteIndexedPng(const std::string& path, const IndexImage& image) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file)
    return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> colours(256);
  const Palette& palette = SaverPalette();
  for (int i = 0; i < 256; ++i)
    colours[i] = {palette[i].r, palette[i].g, palette[i].b};
  png_set_PLTE(png, info, colours.data(), 256);
  png_set_compression_level(png, 9);
  png_write_info(png, info);
  for (int y = 0; y < image.height; ++y) {
    png_write_row(png, image.pixels.data() + static_cast<std::size_t>(y) * image.width);
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}

}  // namespace assetgen
