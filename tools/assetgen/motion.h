// Timing curves and key poses for the choreography of the actions.
#pragma once
#include <vector>

#include "creature.h"

namespace assetgen {

inline double EaseInOut(double t) {
  t = Clamp01(t);
  return t * t * (3.0 - 2.0 * t);
}
inline double EaseOut(double t) {
  t = Clamp01(t);
  return 1.0 - (1.0 - t) * (1.0 - t);
}
inline double EaseIn(double t) {
  t = Clamp01(t);
  return t * t;
}
// Progress of `frame` through [start, end], 0 before and 1 after.
inline double Phase(double frame, double start, double end) {
  return Clamp01((frame - start) / (end - start));
}
// 0 at both ends of [0, 1], 1 in the middle.
inline double Bump(double t) {
  return std::sin(kPi * Clamp01(t));
}

// Numeric fields blended; eyes, mouth and tuck taken from `a` until t reaches 1.
Pose Blend(const Pose& a, const Pose& b, double t);

struct Key {
  double frame;
  Pose pose;
};

// Pose at a frame, eased between the keys around it (keys sorted by frame).
Pose PoseAt(const std::vector<Key>& keys, double frame);

}  // namespace assetgen
