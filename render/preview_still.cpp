#include "render/preview_still.h"

#include "sprites/animation_library.h"

namespace {

const int kPreviewActionId = 1055;

}  // namespace

PreviewPlacement FitPreviewPicture(int clientWidth, int clientHeight, int frameWidth, int frameHeight) {
  const double scaleX = static_cast<double>(clientWidth) / frameWidth;
  const double scaleY = static_cast<double>(clientHeight) / frameHeight;
  const double scale = scaleY <= scaleX ? scaleY : scaleX;
  PreviewPlacement placement;
  placement.width = static_cast<int>(scale * frameWidth);
  placement.height = static_cast<int>(scale * frameHeight);
  placement.x = static_cast<int>(clientWidth * 0.5 - placement.width * 0.5);
  placement.y = static_cast<int>(clientHeight * 0.5 - placement.height * 0.5);
  return placement;
}

int DrawPreviewStill(HDC dc, const AnimationLibrary* library, int clientWidth, int clientHeight) {
  const Animation* animation = library ? FindAnimation(library->animations, kPreviewActionId) : nullptr;
  const Frame* frame = animation ? FindFrame(animation->frames, 0) : nullptr;
  if (!frame)
    return 1;
  const PreviewPlacement picture = FitPreviewPicture(clientWidth, clientHeight, frame->width, frame->height);
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, picture.x, picture.y, picture.width, picture.height, 0, 0, frame->width, frame->height,
                frame->bits, frame->header, DIB_RGB_COLORS, SRCCOPY);
  return 1;
}
