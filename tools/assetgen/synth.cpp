#include "synth.h"

#include <algorithm>
#include <cmath>

#include "geometry.h"

namespace assetgen {
namespace {

double Envelope(double t, double length, double attack, double release) {
  double e = 1.0;
  if (attack > 0 && t < attack)
    e = t / attack;
  if (release > 0 && t > length - release)
    e = std::min(e, (length - t) / release);
  return std::max(e, 0.0);
}

double Shape(Wave wave, double phase) {
  switch (wave) {
    case Wave::kSine:
      return std::sin(phase);
    case Wave::kTriangle:
      return std::asin(std::sin(phase)) * (2.0 / kPi);
    case Wave::kReed:
      return 0.7 * std::sin(phase) + 0.25 * std::sin(2 * phase) + 0.12 * std::sin(3 * phase);
  }
  return 0.0;
}

int FirstSample(const Track& track, double start) {
  return std::clamp(static_cast<int>(std::lround(start * kSampleRate)), 0,
                    static_cast<int>(track.samples.size()));
}

}  // namespace

Track MakeTrack(double seconds) {
  Track track;
  track.samples.assign(static_cast<std::size_t>(std::lround(seconds * kSampleRate)), 0.0);
  return track;
}

void AddTone(Track& track, const Tone& tone) {
  const int first = FirstSample(track, tone.start);
  const int count = static_cast<int>(tone.length * kSampleRate);
  double phase = 0.0;
  for (int i = 0; i < count && first + i < static_cast<int>(track.samples.size()); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double progress = t / tone.length;
    const double vibrato = 1.0 + tone.vibratoDepth * std::sin(2 * kPi * tone.vibratoRate * t);
    const double pitch = tone.from * std::pow(tone.to / tone.from, progress) * vibrato;
    phase += 2 * kPi * pitch / kSampleRate;
    const double level =
        tone.level * Envelope(t, tone.length, tone.attack, tone.release) * std::exp(-tone.decay * t);
    track.samples[first + i] += level * Shape(tone.wave, phase);
  }
}

void AddBell(Track& track, double start, double pitch, double level, double decay, bool woody) {
  const double ratios[3] = {1.0, woody ? 4.0 : 2.76, woody ? 10.0 : 5.4};
  const double weights[3] = {1.0, woody ? 0.25 : 0.45, woody ? 0.06 : 0.25};
  for (int k = 0; k < 3; ++k) {
    Tone partial;
    partial.start = start;
    partial.length = 5.0 / decay;
    partial.from = partial.to = pitch * ratios[k];
    partial.level = level * weights[k];
    partial.attack = 0.002;
    partial.release = 0.02;
    partial.decay = decay * (1.0 + k * (woody ? 1.5 : 0.7));
    AddTone(track, partial);
  }
}

void AddNoise(Track& track, const Noise& noise) {
  const int first = FirstSample(track, noise.start);
  const int count = static_cast<int>(noise.length * kSampleRate);
  std::uint32_t state = noise.seed;
  double low = 0.0, slow = 0.0;
  for (int i = 0; i < count && first + i < static_cast<int>(track.samples.size()); ++i) {
    state = state * 1664525u + 1013904223u;
    const double white = static_cast<double>(state >> 8) / (1u << 24) * 2.0 - 1.0;
    const double t = static_cast<double>(i) / kSampleRate;
    const double corner = noise.lowFrom * std::pow(noise.lowTo / noise.lowFrom, t / noise.length);
    const double k = 1.0 - std::exp(-2 * kPi * corner / kSampleRate);
    low += k * (white - low);
    slow += 0.02 * (low - slow);
    double value = low - slow;
    if (noise.pulseRate > 0)
      value *= 0.3 + 0.7 * std::pow(0.5 + 0.5 * std::sin(2 * kPi * noise.pulseRate * t), 3);
    track.samples[first + i] += noise.level * value * Envelope(t, noise.length, noise.attack, noise.release);
  }
}

std::vector<std::uint8_t> FinishTrack(const Track& track) {
  double peak = 1e-9;
  for (double s : track.samples)
    peak = std::max(peak, std::fabs(s));
  const double gain = 0.9 / peak;
  const std::size_t n = track.samples.size();
  const std::size_t fade = std::min<std::size_t>(n / 2, 220);
  std::vector<std::uint8_t> out;
  out.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    double edge = 1.0;
    if (i < fade)
      edge = static_cast<double>(i) / fade;
    if (n - 1 - i < fade)
      edge = std::min(edge, static_cast<double>(n - 1 - i) / fade);
    const double value = track.samples[i] * gain * edge;
    out.push_back(
        static_cast<std::uint8_t>(std::clamp(128 + static_cast<int>(std::lround(value * 127)), 1, 255)));
  }
  return out;
}

}  // namespace assetgen
