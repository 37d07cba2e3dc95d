// The scene's fixed tables: the cycle of actions, the quadrants they play in, and their logos.
#pragma once

const int kActionCycleLength = 5;
extern const int kActionCycle[kActionCycleLength];

// A stage is 320x240; its origin relative to the screen centre, per quadrant in the order of use.
struct StageOffset {
  int x;
  int y;
};
const int kStageQuadrants = 4;
extern const StageOffset kStageOffsets[kStageQuadrants];

// Where and when an action's caption shows: from the action's frame `startFrame` on, for
// `length` + 15 updates, its bottom-left corner at (x, y) within the stage.
struct LogoRow {
  int actionId;
  int logoId;
  int x;
  int y;
  int startFrame;
  int length;
};

const LogoRow* FindLogoRow(int actionId);
