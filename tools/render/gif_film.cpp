#include "tools/render/gif_film.h"

#include <fcntl.h>
#include <gif_lib.h>
#include <unistd.h>

#include <map>

#include "tools/gif_loop.h"

namespace {

const int kMaxColours = 256;

std::vector<uint32_t> Reduce(const HeadlessSurface& picture, int scale, int* width, int* height) {
  *width = picture.width / scale;
  *height = picture.height / scale;
  std::vector<uint32_t> reduced(static_cast<size_t>(*width) * *height);
  for (int y = 0; y < *height; ++y) {
    for (int x = 0; x < *width; ++x)
      reduced[static_cast<size_t>(y) * *width + x] = picture.At(x * scale, y * scale);
  }
  return reduced;
}

FilmPatch ChangedArea(const GifFilm& film, const std::vector<uint32_t>& picture) {
  int left = film.width, top = film.height, right = 0, bottom = 0;
  for (int y = 0; y < film.height; ++y) {
    for (int x = 0; x < film.width; ++x) {
      const size_t at = static_cast<size_t>(y) * film.width + x;
      if (film.shown[at] == picture[at])
        continue;
      left = std::min(left, x);
      right = std::max(right, x + 1);
      top = std::min(top, y);
      bottom = std::max(bottom, y + 1);
    }
  }
  FilmPatch patch;
  if (right <= left)
    return patch;
  patch.x = left;
  patch.y = top;
  patch.width = right - left;
  patch.height = bottom - top;
  for (int y = top; y < bottom; ++y) {
    const auto row = picture.begin() + static_cast<std::ptrdiff_t>(y) * film.width;
    patch.pixels.insert(patch.pixels.end(), row + left, row + right);
  }
  return patch;
}

bool PutPatch(GifFileType* gif, const FilmPatch& patch, const std::map<uint32_t, int>& indexOf) {
  GraphicsControlBlock control{DISPOSE_DO_NOT, false, patch.delay, NO_TRANSPARENT_COLOR};
  GifByteType extension[4];
  const size_t length = EGifGCBToExtension(&control, extension);
  if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) != GIF_OK ||
      EGifPutImageDesc(gif, patch.x, patch.y, patch.width, patch.height, false, nullptr) != GIF_OK) {
    return false;
  }
  std::vector<GifPixelType> line(static_cast<size_t>(patch.width));
  for (int y = 0; y < patch.height; ++y) {
    for (int x = 0; x < patch.width; ++x)
      line[x] = static_cast<GifPixelType>(indexOf.at(patch.pixels[static_cast<size_t>(y) * patch.width + x]));
    if (EGifPutLine(gif, line.data(), patch.width) != GIF_OK)
      return false;
  }
  return true;
}

}  // namespace

void AddToFilm(GifFilm* film, const HeadlessSurface& picture, int scale, int delay) {
  int width = 0, height = 0;
  std::vector<uint32_t> reduced = Reduce(picture, scale, &width, &height);
  if (film->patches.empty()) {
    film->width = width;
    film->height = height;
    FilmPatch whole{0, 0, width, height, reduced, delay};
    film->patches.push_back(std::move(whole));
    film->shown = std::move(reduced);
    return;
  }
  FilmPatch patch = ChangedArea(*film, reduced);
  if (patch.pixels.empty()) {
    film->patches.back().delay += delay;
    return;
  }
  patch.delay = delay;
  film->patches.push_back(std::move(patch));
  film->shown = std::move(reduced);
}

bool WriteGifFilm(const std::string& path, const GifFilm& film, std::string* error) {
  if (film.patches.empty()) {
    *error = "no pictures";
    return false;
  }
  std::map<uint32_t, int> indexOf;
  std::vector<GifColorType> colours;
  for (const FilmPatch& patch : film.patches) {
    for (uint32_t pixel : patch.pixels) {
      if (indexOf.count(pixel))
        continue;
      if (static_cast<int>(colours.size()) == kMaxColours) {
        *error = "the pictures hold more than 256 colours";
        return false;
      }
      indexOf[pixel] = static_cast<int>(colours.size());
      colours.push_back({static_cast<GifByteType>(pixel >> 16), static_cast<GifByteType>(pixel >> 8),
                         static_cast<GifByteType>(pixel)});
    }
  }
  colours.resize(kMaxColours, GifColorType{0, 0, 0});
  const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  int gifError = 0;
  GifFileType* gif = file >= 0 ? EGifOpenFileHandle(file, &gifError) : nullptr;
  if (!gif) {
    if (file >= 0)
      close(file);
    *error = "cannot open " + path + " for writing";
    return false;
  }
  ColorMapObject* map = GifMakeMapObject(kMaxColours, colours.data());
  EGifSetGifVersion(gif, true);
  bool ok =
      map && EGifPutScreenDesc(gif, film.width, film.height, 8, 0, map) == GIF_OK && PutGifLoopExtension(gif);
  for (const FilmPatch& patch : film.patches)
    ok = ok && PutPatch(gif, patch, indexOf);
  GifFreeMapObject(map);
  ok = EGifCloseFile(gif, &gifError) == GIF_OK && ok;
  if (!ok)
    *error = "cannot write " + path;
  return ok;
}
