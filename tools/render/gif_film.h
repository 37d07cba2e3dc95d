// An animated GIF of screen pictures shown one after another: each frame holds only the area that
// changed, and a picture equal to the one before only lengthens that one.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "headless/control_gdi.h"

struct FilmPatch {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, rows top-down
  int delay = 0;                 // hundredths of a second
};

struct GifFilm {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> shown;  // the whole picture as the film shows it so far
  std::vector<FilmPatch> patches;
};

// Adds a picture reduced by `scale` (1 as is, 2 every second pixel of every second row, ...),
// shown for `delay` hundredths of a second.
void AddToFilm(GifFilm* film, const HeadlessSurface& picture, int scale, int delay);
// False with the reason in `error` when the film cannot be written.
bool WriteGifFilm(const std::string& path, const GifFilm& film, std::string* error);
