// Runs of the real saver in saving mode with a look at the scene after every tick.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/saver_test_support.h"

// What one tick left behind.
struct TickLook {
  long tick;
  bool performing;
  int actionId;
  int frameIndex;  // of the frame drawn in this tick; -1 when no actor is on screen
  RECT rect;
  int originX;
  int originY;
  bool logoShown;
  RECT logoRect;
  std::vector<std::string> fills;   // FillRect calls of the tick, "l,t,r,b"
  std::vector<std::string> sounds;  // PlaySoundA calls of the tick
};

// The clock value at creation that makes `actionId` the first action.
uint32_t SeedForFirstAction(int actionId);

class SceneTest : public SaverTest {
 protected:
  void SetUp() override;
  // Saving mode on a width x height screen from `seed`, looked at after each of `ticks` ticks.
  std::vector<TickLook> RunScene(uint32_t seed, long ticks, int width = 1024, int height = 768);
  // The ticks at whose end an action was started (0: with the window), with what was started.
  struct Start {
    long tick;
    int actionId;
    int originX;
    int originY;
  };
  static std::vector<Start> Starts(const std::vector<TickLook>& looks);
};
