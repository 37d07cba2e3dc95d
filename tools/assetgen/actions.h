// The five actions of the creature: their frame tables and the drawing of each frame on the stage
// (320 x 240 pixels, y down, the ground near y 205).
#pragma once
#include <vector>

#include "canvas.h"
#include "sprite_frame.h"

namespace assetgen {

using FrameArtist = void (*)(const Painter& stage, int frame);

struct ActionArt {
  int id = 0;
  int frameCount = 0;
  int firstWidth = 0;
  int firstHeight = 0;
  IntRange widths;
  IntRange heights;
  bool firstPlacementFixed = false;  // frame 0 must stand exactly at (firstX, firstBottom)
  int firstX = 0;
  int firstBottom = 0;
  FrameArtist draw = nullptr;
};

constexpr int kStageWidth = 320;
constexpr int kStageHeight = 240;
constexpr IntRange kPlacementX{52, 232};
constexpr IntRange kPlacementBottom{29, 214};

void DrawBikkuriFrame(const Painter& stage, int frame);
void DrawSleepyFrame(const Painter& stage, int frame);
void DrawInterestFrame(const Painter& stage, int frame);
void DrawAcrobatFrame(const Painter& stage, int frame);
void DrawJoyFrame(const Painter& stage, int frame);

// In the order of the saver's cycle.
const std::vector<ActionArt>& ActionArts();

}  // namespace assetgen
