#include "scene/scene_random.h"

namespace {

uint32_t randomState = 1;

}  // namespace

void SeedSceneRandom(uint32_t seed) {
  randomState = seed;
}

// A linear congruential generator, so the draw is the same on every platform the saver is built for.
int SceneRandom() {
  randomState = randomState * 214013u + 2531011u;
  return static_cast<int>((randomState >> 16) & 0x7FFF);
}
