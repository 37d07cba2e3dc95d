#include "sounds.h"

#include <cmath>

#include "synth.h"

namespace assetgen {
namespace {

constexpr double kFrameSeconds = 0.11;

// Seconds from the sound's cue to the start of a frame of its action.
double At(const SoundArt& sound, double frame) {
  return (frame - sound.cueFrame) * kFrameSeconds;
}

double Note(int midi) {
  return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

void Boing(Track& track, double start, double from, double to, double level) {
  Tone spring;
  spring.start = start;
  spring.length = 0.45;
  spring.from = from;
  spring.to = to;
  spring.level = level;
  spring.decay = 3.5;
  spring.vibratoRate = 16;
  spring.vibratoDepth = 0.1;
  spring.wave = Wave::kTriangle;
  AddTone(track, spring);
}

void Slide(Track& track, double start, double length, double from, double to, double level) {
  Tone whistle;
  whistle.start = start;
  whistle.length = length;
  whistle.from = from;
  whistle.to = to;
  whistle.level = level;
  whistle.attack = 0.05;
  whistle.release = 0.06;
  whistle.vibratoRate = 7;
  whistle.vibratoDepth = 0.015;
  AddTone(track, whistle);
}

void Whoosh(Track& track, double start, double length, double level, std::uint32_t seed) {
  Noise air;
  air.start = start;
  air.length = length;
  air.level = level;
  air.lowFrom = 300;
  air.lowTo = 2600;
  air.attack = length * 0.6;
  air.release = length * 0.4;
  air.seed = seed;
  AddNoise(track, air);
}

void Thud(Track& track, double start, double level) {
  Tone body;
  body.start = start;
  body.length = 0.32;
  body.from = 150;
  body.to = 45;
  body.level = level;
  body.attack = 0.003;
  body.decay = 9;
  AddTone(track, body);
  Noise hit;
  hit.start = start;
  hit.length = 0.14;
  hit.level = level * 0.6;
  hit.lowFrom = 900;
  hit.lowTo = 200;
  hit.attack = 0.002;
  hit.release = 0.1;
  hit.seed = 7;
  AddNoise(track, hit);
}

void Chirp(Track& track, double start, double from, double to, double level) {
  Tone tweet;
  tweet.start = start;
  tweet.length = 0.07;
  tweet.from = from;
  tweet.to = to;
  tweet.level = level;
  tweet.attack = 0.01;
  tweet.release = 0.03;
  AddTone(track, tweet);
}

// Surprise: spring "boing" with a bell, slide whistle up and down for the flight, a bump, tweets.
void Surprise(Track& track, const SoundArt& s) {
  Boing(track, At(s, 2), 180, 720, 0.6);
  AddBell(track, At(s, 2), Note(88), 0.35, 4.0, false);
  Slide(track, At(s, 11), At(s, 17) - At(s, 11), 480, 1500, 0.42);
  Whoosh(track, At(s, 11), 0.6, 0.25, 3);
  Slide(track, At(s, 17), At(s, 25) - At(s, 17), 1500, 320, 0.42);
  Thud(track, At(s, 25), 0.95);
  for (int i = 0; i < 3; ++i)
    Chirp(track, At(s, 28) + 0.1 * i, 2300, 2900, 0.22);
}

void Snore(Track& track, double start, std::uint32_t seed) {
  Noise snore;
  snore.start = start;
  snore.length = 0.95;
  snore.level = 0.55;
  snore.lowFrom = 450;
  snore.lowTo = 350;
  snore.attack = 0.35;
  snore.release = 0.3;
  snore.pulseRate = 27;
  snore.seed = seed;
  AddNoise(track, snore);
  Tone buzz;
  buzz.start = start + 0.1;
  buzz.length = 0.8;
  buzz.from = 70;
  buzz.to = 85;
  buzz.level = 0.18;
  buzz.attack = 0.3;
  buzz.release = 0.3;
  buzz.wave = Wave::kReed;
  AddTone(track, buzz);
  Slide(track, start + 1.1, 0.55, 1150, 780, 0.1);
}

// Sleepy: a long yawn, a contented hum, then soft snores with a whistling breath out.
void Sleepy(Track& track, const SoundArt& s) {
  Tone yawn;
  yawn.start = At(s, 44);
  yawn.length = 0.55;
  yawn.from = 300;
  yawn.to = 440;
  yawn.level = 0.45;
  yawn.attack = 0.25;
  yawn.release = 0.02;
  yawn.wave = Wave::kReed;
  AddTone(track, yawn);
  yawn.start += 0.55;
  yawn.length = 1.25;
  yawn.from = 440;
  yawn.to = 190;
  yawn.attack = 0.02;
  yawn.release = 0.7;
  yawn.vibratoRate = 5;
  yawn.vibratoDepth = 0.02;
  AddTone(track, yawn);
  Noise breath;
  breath.start = At(s, 44);
  breath.length = 1.8;
  breath.level = 0.12;
  breath.lowFrom = 1500;
  breath.lowTo = 700;
  breath.attack = 0.3;
  breath.release = 0.8;
  breath.seed = 11;
  AddNoise(track, breath);
  Tone hum;
  hum.start = At(s, 62);
  hum.length = 0.6;
  hum.from = 250;
  hum.to = 215;
  hum.level = 0.22;
  hum.attack = 0.1;
  hum.release = 0.3;
  hum.vibratoRate = 6;
  hum.vibratoDepth = 0.015;
  hum.wave = Wave::kReed;
  AddTone(track, hum);
  Snore(track, At(s, 77), 21);
  Snore(track, At(s, 94), 22);
}

// Interest: a hummed "hm" that rises into a question, with a small twinkle.
void Curious(Track& track, const SoundArt&) {
  Tone hm;
  hm.length = 0.22;
  hm.from = 290;
  hm.to = 305;
  hm.level = 0.5;
  hm.attack = 0.03;
  hm.release = 0.03;
  hm.wave = Wave::kReed;
  AddTone(track, hm);
  hm.start = 0.2;
  hm.length = 0.31;
  hm.from = 305;
  hm.to = 660;
  hm.attack = 0.03;
  hm.release = 0.08;
  hm.vibratoRate = 9;
  hm.vibratoDepth = 0.01;
  AddTone(track, hm);
  AddBell(track, 0.33, Note(96), 0.12, 9.0, false);
}

// Acrobat: whooshing somersaults, a spring off the stage, the flight up and down, the landing and
// a little fanfare.
void Acrobat(Track& track, const SoundArt& s) {
  for (int i = 0; i < 4; ++i)
    Whoosh(track, At(s, 1 + 5 * i), 0.4, 0.12 + 0.06 * i, 30 + i);
  Boing(track, At(s, 20), 160, 640, 0.5);
  Slide(track, At(s, 21), At(s, 31) - At(s, 21), 420, 1800, 0.35);
  Slide(track, At(s, 32), At(s, 47) - At(s, 32), 1800, 300, 0.35);
  Whoosh(track, At(s, 38), 0.45, 0.2, 41);
  Whoosh(track, At(s, 43), 0.4, 0.25, 42);
  Thud(track, At(s, 47), 0.8);
  const int kFanfare[4] = {72, 76, 79, 84};
  for (int i = 0; i < 4; ++i)
    AddBell(track, At(s, 52) + 0.1 * i, Note(kFanfare[i]), 0.35, 2.5, false);
  for (int note : {72, 76, 79})
    AddBell(track, At(s, 52) + 0.45, Note(note), 0.22, 1.8, false);
}

// Joy: a bouncy marimba tune, four notes to every hop, with a soft spring on each take-off.
void Joy(Track& track, const SoundArt& s) {
  const int kMelody[16] = {72, 76, 79, 84, 81, 79, 76, 79, 77, 81, 84, 81, 79, 76, 74, 72};
  const int kBass[4] = {48, 45, 41, 43};
  const double beat = 9 * kFrameSeconds / 4;
  for (int i = 0; i < 16; ++i)
    AddBell(track, beat * i, Note(kMelody[i]), i == 15 ? 0.5 : 0.4, 5.0, true);
  for (int i = 0; i < 4; ++i) {
    AddBell(track, beat * 4 * i, Note(kBass[i]), 0.45, 3.0, true);
    Boing(track, At(s, 15 + 9 * i), 260, 520, 0.12);
  }
  for (int note : {60, 64, 67, 72})
    AddBell(track, beat * 16, Note(note), 0.3, 2.2, true);
}

}  // namespace

const std::vector<SoundArt>& SoundArts() {
  static const std::vector<SoundArt> kSounds = {
      {"IDR_WAVE_200_2", 4000, 2, 3.18, true},    {"IDR_WAVE_1014_2", 1055, 43, 7.12, false},
      {"IDR_WAVE_1015_2", 1059, 72, 0.53, true},  {"IDR_WAVE_1049_2", 1225, 0, 6.97, false},
      {"IDR_WAVE_1114_2", 1569, 15, 4.27, false},
  };
  return kSounds;
}

Bytes MakeSound(const SoundArt& sound) {
  Track track = MakeTrack(sound.seconds);
  switch (sound.actionId) {
    case 4000:
      Surprise(track, sound);
      break;
    case 1055:
      Sleepy(track, sound);
      break;
    case 1059:
      Curious(track, sound);
      break;
    case 1225:
      Acrobat(track, sound);
      break;
    default:
      Joy(track, sound);
      break;
  }
  return EncodeWave(FinishTrack(track), sound.withFact);
}

}  // namespace assetgen
