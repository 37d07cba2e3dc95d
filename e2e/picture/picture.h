// A fixed picture drawn through the renderer into a window: synthetic 8-bit frames composed into the
// frame buffer over two ticks and copied out by dirty rectangles, then two stretched frames beside
// it. The Win32 and the headless programs draw it with the same code.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

const int kPictureBufferWidth = 640;
const int kPictureBufferHeight = 480;
const int kPictureWidth = 800;  // the buffer, then a strip for the stretched frames
const int kPictureHeight = 480;

// The bytes of a BMP file with a 256-entry colour table (the MAINPAL bitmap); empty when unreadable.
std::vector<BYTE> ReadPaletteFile(const std::string& path);

// Draws the picture into window's client area, leaving the frame buffer and, at 8 bits per pixel,
// the palette alive. Returns an empty text, or what failed.
std::string DrawPicture(HWND window, const std::vector<BYTE>& paletteFile);
void ReleasePicture();
