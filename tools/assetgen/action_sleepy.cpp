// Sleepy: drowsy nodding, a big stretch and yawn, then sleep with a nose bubble and drifting Zs.
#include <cmath>

#include "actions.h"
#include "effects.h"
#include "motion.h"

namespace assetgen {
namespace {

const Vec2 kSpot{212, 206};
constexpr int kYawn = 43;
constexpr int kAsleep = 73;

Pose Drowsy() {
  Pose p;
  p.ground = kSpot;
  p.earDroop = 2.1;
  p.earLeft = p.earRight = -0.2;
  p.eyeOpen = 0.45;
  p.mouth = MouthStyle::kFlat;
  p.armLeft = p.armRight = 0.15;
  return p;
}

Pose RubbingEyes() {
  Pose p = Drowsy();
  p.armLeft = p.armRight = -2.25;
  p.eyes = EyeStyle::kSleep;
  p.mouth = MouthStyle::kWobbly;
  return p;
}

// Arms stretched straight up, swung there in front of the body.
Pose Stretching() {
  Pose p = Drowsy();
  p.earDroop = 1.4;
  p.earLeft = p.earRight = -0.25;
  p.armLeft = p.armRight = -2.95;
  p.stretch = 1.03;
  p.eyes = EyeStyle::kSleep;
  return p;
}

Pose Yawning() {
  Pose p = Stretching();
  p.mouth = MouthStyle::kOpen;
  p.mouthOpen = 1.0;
  return p;
}

Pose Asleep() {
  Pose p = Drowsy();
  p.eyes = EyeStyle::kSleep;
  p.mouth = MouthStyle::kCat;
  p.earDroop = 2.3;
  p.earLeft = p.earRight = -0.15;
  p.stretch = 0.93;
  p.headTilt = 0.16;
  p.armLeft = p.armRight = 0.0;
  return p;
}

// Breath of the sleeper: 0 breathed out, 1 breathed in; one breath takes 17 frames.
double Breath(int frame) {
  return 0.5 - 0.5 * std::cos(2 * kPi * (frame - kAsleep) / 17.0);
}

void DrawZs(const Painter& stage, int frame) {
  for (int start = kAsleep + 2; start <= frame; start += 11) {
    const double t = (frame - start) / 20.0;
    if (t > 1.0)
      continue;
    const Vec2 at{kSpot.x + 4 + 14 * t + 2 * std::sin(t * 7), kSpot.y - 72 - 18 * t};
    DrawSleepZ(stage, at, 4.5 + 4 * EaseOut(t * 1.5), 0.25 * std::sin(t * 5));
  }
}

}  // namespace

void DrawSleepyFrame(const Painter& stage, int frame) {
  Pose pose;
  if (frame < 30) {
    pose = Drowsy();
    const double nod = frame < 15 ? 0.0 : Bump(Phase(frame, 15, 24));
    pose.eyeOpen = frame >= 8 && frame <= 9 ? 0.1 : 0.45 - 0.35 * nod;
    if (frame >= 24 && frame < 28)
      pose.eyeOpen = 0.8;
    pose.stretch = 1.0 - 0.05 * nod;
    pose.headTilt = 0.12 * nod;
    pose.bodyShiftX = 1.5 * std::sin(frame * 0.45);
  } else if (frame < 40) {
    pose = Blend(Drowsy(), RubbingEyes(), EaseInOut(Phase(frame, 30, 33)));
    const double rub = frame % 2 == 0 ? 0.18 : -0.18;
    pose.armLeft += rub * Phase(frame, 32, 33);
    pose.armRight -= rub * Phase(frame, 32, 33);
  } else if (frame < kYawn) {
    pose = Blend(RubbingEyes(), Stretching(), EaseInOut(Phase(frame, 40, kYawn)));
  } else if (frame < 60) {
    pose = Blend(Yawning(), Stretching(), Phase(frame, 54, 60));
    pose.mouthOpen = Bump(Phase(frame, kYawn - 2, 60)) + 0.1;
    pose.spin = -0.05 * Bump(Phase(frame, kYawn, 60));
  } else if (frame < kAsleep) {
    pose = Blend(Stretching(), Asleep(), EaseInOut(Phase(frame, 60, 70)));
    pose.eyes = EyeStyle::kSleep;
    pose.mouth = MouthStyle::kCat;
  } else {
    pose = Asleep();
    const double breath = Breath(frame);
    pose.stretch = 0.92 + 0.025 * breath;
    pose.bodyShiftX = 0.6 * breath;
    DrawZs(stage, frame);
  }
  DrawCreature(stage, pose);
  if (frame >= kAsleep) {
    const Painter body = Transformed(stage, CreatureTransform(pose));
    const double size = 2.0 + 5.5 * (1.0 - Breath(frame));
    DrawBubble(Transformed(body, RotationAbout({0, -40}, pose.headTilt)),
               {3.5 + size * 0.8, -35.5 + size * 0.2}, size);
  }
}

}  // namespace assetgen
