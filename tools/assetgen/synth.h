// A small additive synthesiser for the sound effects: tones with pitch glides and vibrato, bells,
// filtered noise, all mixed into one mono track.
#pragma once
#include <cstdint>
#include <vector>

namespace assetgen {

constexpr int kSampleRate = 11025;

struct Track {
  std::vector<double> samples;
};

// Silent track of exactly round(seconds * rate) samples.
Track MakeTrack(double seconds);

enum class Wave { kSine, kTriangle, kReed };

struct Tone {
  double start = 0;     // seconds
  double length = 0.1;  // seconds
  double from = 440;    // Hz at the start
  double to = 440;      // Hz at the end, reached along an exponential glide
  double level = 0.5;
  double attack = 0.01;   // seconds
  double release = 0.05;  // seconds
  double decay = 0.0;     // exponential decay per second during the tone, 0 to hold
  double vibratoRate = 0;
  double vibratoDepth = 0;  // fraction of the pitch
  Wave wave = Wave::kSine;
};

void AddTone(Track& track, const Tone& tone);

// Struck bell or marimba bar: a few partials that die away.
void AddBell(Track& track, double start, double pitch, double level, double decay, bool woody);

struct Noise {
  double start = 0;
  double length = 0.2;
  double level = 0.3;
  double lowFrom = 2000;  // low-pass corner in Hz, gliding to lowTo
  double lowTo = 2000;
  double attack = 0.02;
  double release = 0.05;
  double pulseRate = 0;  // Hz of a buzz that chops the noise (for snoring), 0 for none
  std::uint32_t seed = 1;
};

void AddNoise(Track& track, const Noise& noise);

// Scales the peak to 0.9, softens both ends and returns 8-bit unsigned samples that start and end
// at the mid level 128.
std::vector<std::uint8_t> FinishTrack(const Track& track);

}  // namespace assetgen
