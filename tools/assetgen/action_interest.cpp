// Interest: something catches the creature's eye; it leans in, tilts its head, wonders and perks up.
#include <cmath>

#include "actions.h"
#include "effects.h"
#include "motion.h"

namespace assetgen {
namespace {

const Vec2 kSpot{262, 210};
constexpr int kQuestion = 72;

Pose Idle() {
  Pose p;
  p.ground = kSpot;
  return p;
}

Pose Noticing() {
  Pose p = Idle();
  p.look = {-1, -0.4};
  p.eyeOpen = 1.15;
  p.earLeft = 0.0;
  p.earRight = 0.05;
  p.mouth = MouthStyle::kOpen;
  p.mouthOpen = 0.15;
  p.armLeft = p.armRight = -0.25;
  return p;
}

Pose Leaning() {
  Pose p = Noticing();
  p.ground.x = kSpot.x - 12;
  p.stretch = 0.84;
  p.lean = -0.1;
  p.bodyShiftX = -3;
  p.headTilt = -0.1;
  p.armLeft = p.armRight = -0.5;
  p.mouth = MouthStyle::kCat;
  return p;
}

Pose Wondering() {
  Pose p = Leaning();
  p.lean = -0.07;
  p.stretch = 0.88;
  p.bodyShiftX = -2;
  return p;
}

Pose Pleased() {
  Pose p = Idle();
  p.ground.x = kSpot.x - 6;
  p.headTilt = 0.22;
  p.eyeOpen = 1.15;
  p.look = {-0.8, -0.5};
  p.mouth = MouthStyle::kOpen;
  p.mouthOpen = 0.35;
  p.earLeft = 0.22;
  p.earRight = 0.08;
  p.blush = 1.4;
  p.armLeft = 0.6;
  p.armRight = -0.4;
  return p;
}

}  // namespace

void DrawInterestFrame(const Painter& stage, int frame) {
  const std::vector<Key> keys = {{0, Idle()},
                                 {10, Idle()},
                                 {14, Noticing()},
                                 {20, Noticing()},
                                 {30, Leaning()},
                                 {40, Leaning()},
                                 {46, Wondering()},
                                 {kQuestion, Wondering()},
                                 {kQuestion + 8, Pleased()}};
  Pose pose = PoseAt(keys, frame);
  if (frame == 5)
    pose.eyeOpen = 0.1;
  if (frame >= 31 && frame < 40)
    pose.stretch -= 0.06 * Bump(Phase(frame, 31, 39)) + 0.015 * (frame % 2);
  if (frame >= 46 && frame < kQuestion) {
    const double sway = std::sin((frame - 46) * 2 * kPi / 13.0);
    pose.headTilt = 0.2 * sway;
    pose.earLeft = 0.08 * sway;
    pose.earRight = -0.08 * sway;
  }
  if (frame >= kQuestion && frame < kQuestion + 3) {
    pose.headTilt = 0.32;
    pose.earLeft = 0.3;
    pose.eyeOpen = 1.2;
  }
  DrawCreature(stage, pose);
  if (frame >= 48 && frame < kQuestion + 14) {
    const double pop = frame >= kQuestion ? 1.0 + 0.25 * Bump(Phase(frame, kQuestion, kQuestion + 4))
                                          : EaseOut(Phase(frame, 48, 52));
    DrawQuestion(stage, {pose.ground.x + 26, pose.ground.y - 90}, 18 * pop,
                 0.25 + 0.1 * std::sin(frame * 0.5));
  }
  if (frame >= kQuestion + 10) {
    const double t = Phase(frame, kQuestion + 10, kQuestion + 18);
    DrawSparkle(stage, {pose.ground.x - 30, pose.ground.y - 82}, 4 + 9 * Bump(t * 0.5 + 0.25), frame * 0.2);
  }
}

}  // namespace assetgen
