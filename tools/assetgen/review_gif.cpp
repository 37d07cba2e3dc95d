#include "review_gif.h"

#include <fcntl.h>
#include <gif_lib.h>
#include <unistd.h>

#include <algorithm>

#include "actions.h"
#include "tools/gif_loop.h"

namespace assetgen {
namespace {

constexpr int kTicksPerFrame = 11;  // hundredths of a second
constexpr int kHoldTicks = 15;      // updates that keep showing the last frame
constexpr int kPauseTicks = 16;

struct Still {
  IndexImage picture;
  int delay;  // hundredths of a second
};

void Stamp(IndexImage& stage, const IndexImage& image, int left, int bottom) {
  const int top = bottom - image.height;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t index = image.pixels[static_cast<std::size_t>(y) * image.width + x];
      const int sx = left + x, sy = top + y;
      if (index == kTransparentIndex || sx < 0 || sy < 0 || sx >= stage.width || sy >= stage.height)
        continue;
      stage.pixels[static_cast<std::size_t>(sy) * stage.width + sx] = index;
    }
  }
}

IndexImage BlankStage() {
  IndexImage stage;
  stage.width = kStageWidth;
  stage.height = kStageHeight;
  stage.pixels.assign(static_cast<std::size_t>(kStageWidth) * kStageHeight, kOpaqueBlackIndex);
  return stage;
}

// The pictures of the action's updates: frames 1 to N - 1, the held last frame, the logo from its
// start frame on, then the empty pause.
std::vector<Still> Film(const std::vector<SpriteFrame>& frames, const IndexImage& logo, const LogoArt& art) {
  std::vector<Still> film;
  const int count = static_cast<int>(frames.size());
  for (int update = 1; update <= count + kHoldTicks - 1; ++update) {
    const SpriteFrame& frame = frames[static_cast<std::size_t>(std::min(update, count - 1))];
    IndexImage stage = BlankStage();
    Stamp(stage, frame.image, frame.x, frame.bottom);
    if (update > art.startFrame && update <= art.startFrame + art.length + kHoldTicks) {
      Stamp(stage, logo, art.x, art.bottom);
    }
    if (!film.empty() && film.back().picture.pixels == stage.pixels) {
      film.back().delay += kTicksPerFrame;
    } else {
      film.push_back({std::move(stage), kTicksPerFrame});
    }
  }
  film.push_back({BlankStage(), kTicksPerFrame * kPauseTicks});
  return film;
}

Rect ChangedArea(const IndexImage& before, const IndexImage& after) {
  IndexImage difference = after;
  for (std::size_t i = 0; i < difference.pixels.size(); ++i) {
    difference.pixels[i] = before.pixels[i] == after.pixels[i] ? kTransparentIndex : 0;
  }
  const Rect area = OpaqueBounds(difference);
  return area.width > 0 ? area : Rect{0, 0, 1, 1};
}

bool PutStill(GifFileType* gif, const Still& still, const Rect& area) {
  GraphicsControlBlock control{DISPOSE_DO_NOT, false, still.delay, NO_TRANSPARENT_COLOR};
  GifByteType extension[4];
  const std::size_t length = EGifGCBToExtension(&control, extension);
  if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) != GIF_OK)
    return false;
  if (EGifPutImageDesc(gif, area.x, area.y, area.width, area.height, false, nullptr) != GIF_OK)
    return false;
  std::vector<GifPixelType> row(static_cast<std::size_t>(area.width));
  for (int y = area.y; y < area.y + area.height; ++y) {
    const auto start =
        still.picture.pixels.begin() + static_cast<std::ptrdiff_t>(y) * still.picture.width + area.x;
    std::copy(start, start + area.width, row.begin());
    if (EGifPutLine(gif, row.data(), area.width) != GIF_OK)
      return false;
  }
  return true;
}

}  // namespace

bool WriteActionGif(const std::string& path, const std::vector<SpriteFrame>& frames, const IndexImage& logo,
                    const LogoArt& logoArt) {
  int error = 0;
  const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (file < 0)
    return false;
  GifFileType* gif = EGifOpenFileHandle(file, &error);
  if (!gif) {
    close(file);
    return false;
  }
  GifColorType colours[256];
  const Palette& palette = SaverPalette();
  for (int i = 0; i < 256; ++i)
    colours[i] = {palette[i].r, palette[i].g, palette[i].b};
  ColorMapObject* map = GifMakeMapObject(256, colours);
  bool ok = map && EGifPutScreenDesc(gif, kStageWidth, kStageHeight, 8, kOpaqueBlackIndex, map) == GIF_OK;
  EGifSetGifVersion(gif, true);
  ok = ok && PutGifLoopExtension(gif);
  IndexImage shown = BlankStage();
  bool first = true;
  for (const Still& still : Film(frames, logo, logoArt)) {
    const Rect area = first ? Rect{0, 0, kStageWidth, kStageHeight} : ChangedArea(shown, still.picture);
    ok = ok && PutStill(gif, still, area);
    shown = still.picture;
    first = false;
  }
  GifFreeMapObject(map);
  return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

}  // namespace assetgen
