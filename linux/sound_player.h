// The saver's cues through SDL's audio: each WAVE file PlaySoundA is handed is queued on one device,
// cutting off the one before, as PlaySound does. Without a device the saver runs silently.
#pragma once
#include <SDL2/SDL.h>

#include <cstddef>

struct SoundPlayer {
  bool ready = false;  // SDL's audio works; the device opens with the first cue
  bool silent = false;
  SDL_AudioDeviceID device = 0;
  SDL_AudioSpec format = {};
};

// Says once on stderr when there is no sound device.
void StartSound(SoundPlayer* player);
// A WAVE file (null: silence from now on).
void PlayWave(SoundPlayer* player, const unsigned char* wave, size_t size);
void StopSound(SoundPlayer* player);
