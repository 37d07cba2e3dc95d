// The preview's one picture: the first frame of the sleepy action, scaled to fit the preview
// window with its proportions kept, centred, drawn once.
#pragma once
#include <windows.h>

// Where the picture lands in a client area of clientWidth x clientHeight.
struct PreviewPlacement {
  int x;
  int y;
  int width;
  int height;
};

PreviewPlacement FitPreviewPicture(int clientWidth, int clientHeight, int frameWidth, int frameHeight);
// Stops the frame timer, then draws the picture on dc; returns 1.
int DrawPreviewStill(HWND window, HDC dc);
