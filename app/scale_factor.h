// The whole number by which a monitor shows each pixel of the scene: pixel art stays sharp only
// when every pixel becomes a square of whole pixels.
#pragma once
#include <windows.h>

// Values of the Size setting.
const DWORD kSizeFollowDisplay = 0;  // as the display scales it
const DWORD kSizeActualPixels = 1;
const DWORD kSizeLargestFit = 2;

// The scene's 640x480 block must fit a monitor whole at the factor chosen.
const int kSceneBlockWidth = 640;
const int kSceneBlockHeight = 480;

// f >= 1 for a monitor of width x height physical pixels at `dpi`; an unknown setting follows the
// display.
int ScaleFactor(UINT dpi, int width, int height, DWORD sizeSetting);
