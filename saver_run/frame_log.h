// What each tick showed, in a form that screenshots of the real saver can be matched against: a
// hash of the whole screen at the precision the display has, and what the scene was doing.
#pragma once
#include <cstdint>
#include <string>

#include "headless/control_gdi.h"

// CRC-32 of the screen's RGB bytes, top row first; on a 16-bit display only the 5-6-5 bits count.
uint32_t ScreenHash(const HeadlessSurface& screen, int bitsPerPixel);

// "tick hash action quadrant logo frame": the action on screen (0 when none), the quadrant it plays
// in (-1 when none), whether its logo is on screen, and the index of its frame on screen (-1 when
// none).
std::string FrameLogLine(long tick, uint32_t hash);
