#include "app/scale_factor.h"

namespace {

const UINT kBaseDpi = 96;

int LargestFit(int width, int height) {
  const int across = width / kSceneBlockWidth;
  const int down = height / kSceneBlockHeight;
  const int factor = across < down ? across : down;
  return factor > 1 ? factor : 1;
}

}  // namespace

int ScaleFactor(UINT dpi, int width, int height, DWORD sizeSetting) {
  if (sizeSetting == kSizeActualPixels)
    return 1;
  if (sizeSetting == kSizeLargestFit)
    return LargestFit(width, height);
  // Halves round up: 144 DPI (150 %) shows the scene at twice its size. The block must still fit.
  const UINT wanted = dpi / kBaseDpi + (dpi % kBaseDpi >= kBaseDpi / 2 ? 1 : 0);
  const int fit = LargestFit(width, height);
  if (wanted < 1)
    return 1;
  return wanted < static_cast<UINT>(fit) ? static_cast<int>(wanted) : fit;
}
