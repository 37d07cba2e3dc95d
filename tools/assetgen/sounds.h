// The five sound effects, one per action, as RIFF WAVE files (PCM, mono, 11025 Hz, 8 bits).
#pragma once
#include <string>
#include <vector>

#include "byte_writer.h"

namespace assetgen {

struct SoundArt {
  std::string name;  // resource name
  int actionId = 0;
  int cueFrame = 0;       // frame of the action at which the sound starts
  double seconds = 0;     // playing time
  bool withFact = false;  // carry a fact chunk before the data
};

const std::vector<SoundArt>& SoundArts();

Bytes MakeSound(const SoundArt& sound);

// RIFF WAVE file around 8-bit samples.
Bytes EncodeWave(const std::vector<std::uint8_t>& samples, bool withFact);

}  // namespace assetgen
