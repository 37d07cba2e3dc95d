// Joy: the creature lights up and bounces around happily, hearts popping out, and ends beaming.
#include <cmath>

#include "actions.h"
#include "effects.h"
#include "motion.h"

namespace assetgen {
namespace {

const Vec2 kSpot{240, 206};
constexpr int kFirstHop = 15;
constexpr int kHopFrames = 9;
constexpr int kHops = 4;
constexpr int kLastHopEnd = kFirstHop + kHops * kHopFrames;

Pose Glad() {
  Pose p;
  p.ground = kSpot;
  p.eyeOpen = 1.1;
  p.blush = 1.3;
  p.mouth = MouthStyle::kGrin;
  p.mouthOpen = 0.3;
  return p;
}

Pose Crouch() {
  Pose p = Glad();
  p.stretch = 0.88;
  p.eyes = EyeStyle::kHappy;
  p.armLeft = p.armRight = 0.9;
  return p;
}

Pose Hop(int frame) {
  const int hop = (frame - kFirstHop) / kHopFrames;
  const double t = ((frame - kFirstHop) % kHopFrames) / static_cast<double>(kHopFrames);
  Pose p = Glad();
  p.eyes = EyeStyle::kHappy;
  p.mouthOpen = 0.8;
  p.blush = 1.5;
  const double height = 30.0 - 3.0 * hop;
  const double air = Bump(t / 0.8);
  p.ground.y -= height * air;
  p.ground.x += (hop % 2 == 0 ? -1.0 : 1.0) * 8.0 * std::sin(kPi * t);
  p.stretch = t < 0.8 ? 1.0 + 0.06 * (1.0 - std::fabs(2 * t / 0.8 - 1.0)) : 0.92;
  p.armLeft = p.armRight = 2.55 + 0.25 * air;
  p.footLeftLift = p.footRightLift = 4 * air;
  p.spin = (hop % 2 == 0 ? -1.0 : 1.0) * 0.1 * std::sin(2 * kPi * t);
  p.earDroop = -0.1 * air;
  return p;
}

Pose Beaming() {
  Pose p = Glad();
  p.eyes = EyeStyle::kHappy;
  p.mouthOpen = 0.6;
  p.blush = 1.6;
  p.armLeft = p.armRight = -0.7;
  p.headTilt = -0.12;
  return p;
}

void DrawHearts(const Painter& stage, int frame, double x) {
  for (int hop = 0; hop < kHops; ++hop) {
    const int start = kFirstHop + hop * kHopFrames + 2;
    const double t = (frame - start) / 10.0;
    if (t < 0.0 || t > 1.0)
      continue;
    const double side = hop % 2 == 0 ? 1.0 : -1.0;
    const Vec2 at{x + side * (25 + 3 * t), kSpot.y - 70 - 28 * t};
    DrawHeart(stage, at, 15 * EaseOut(t * 3) * (1.0 - 0.25 * t), side * 0.3);
    if (t > 0.2 && t < 0.8)
      DrawSparkle(stage, at + Vec2{-side * 9, 9}, 9 * Bump((t - 0.2) / 0.6), 0.0);
  }
}

}  // namespace

void DrawJoyFrame(const Painter& stage, int frame) {
  Pose pose;
  if (frame < 9) {
    pose = Glad();
    pose.mouthOpen = 0.3 * Phase(frame, 2, 6);
    if (frame < 2)
      pose.mouth = MouthStyle::kCat;
  } else if (frame < kFirstHop) {
    pose = Blend(Glad(), Crouch(), EaseInOut(Phase(frame, 9, 14)));
  } else if (frame < kLastHopEnd) {
    pose = Hop(frame);
  } else {
    pose = Blend(Crouch(), Beaming(), EaseOut(Phase(frame, kLastHopEnd, kLastHopEnd + 4)));
    if (frame >= kLastHopEnd + 3) {
      DrawHeart(stage, {kSpot.x + 24, kSpot.y - 96 - 2 * std::sin(frame * 0.7)}, 12, 0.25);
    }
  }
  DrawCreature(stage, pose);
  DrawHearts(stage, frame, pose.ground.x);
}

}  // namespace assetgen
