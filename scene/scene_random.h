// The scene's pseudo-random generator: 0..32767, seeded once when the saver window is created.
#pragma once
#include <cstdint>

void SeedSceneRandom(uint32_t seed);
int SceneRandom();
