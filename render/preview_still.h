// The preview's one picture: the first frame of the sleepy action, scaled to fit the preview
// window with its proportions kept, centred, drawn once.
#pragma once
#include <windows.h>

#include "sprites/sprite_records.h"

// Where the picture lands in a client area of clientWidth x clientHeight.
struct PreviewPlacement {
  int x;
  int y;
  int width;
  int height;
};

PreviewPlacement FitPreviewPicture(int clientWidth, int clientHeight, int frameWidth, int frameHeight);
// Draws the picture of the library on dc, whose client area is clientWidth x clientHeight; returns 1.
int DrawPreviewStill(HDC dc, const AnimationLibrary* library, int clientWidth, int clientHeight);
