// Surprise: a start with a big "!", a leap up into the distance, a hard landing and a dizzy spell.
#include <cmath>

#include "actions.h"
#include "effects.h"
#include "motion.h"

namespace assetgen {
namespace {

const Vec2 kSpot{150, 205};

Pose Calm() {
  Pose p;
  p.ground = kSpot;
  p.look = {0.3, 0.1};
  return p;
}

Pose Shocked() {
  Pose p = Calm();
  p.eyes = EyeStyle::kShock;
  p.eyeOpen = 1.1;
  p.mouth = MouthStyle::kOpen;
  p.mouthOpen = 0.8;
  p.earLeft = 0.28;
  p.earRight = 0.28;
  p.armLeft = 2.5;
  p.armRight = 2.5;
  p.stretch = 1.08;
  p.look = {0, 0};
  return p;
}

Pose Squashed(double amount) {
  Pose p = Shocked();
  p.stretch = amount;
  p.armLeft = 1.2;
  p.armRight = 1.2;
  p.earDroop = 0.4;
  p.mouthOpen = 0.4;
  return p;
}

void DrawShock(const Painter& stage, int frame) {
  const double fade = 1.0 - Phase(frame, 2, 7);
  const double jitter = frame % 2 == 0 ? 1.0 : -1.0;
  std::vector<double> angles;
  for (int i = 0; i < 9; ++i)
    angles.push_back(kPi * (1.02 + 0.12 * i) + 0.05 * jitter);
  const double inner = 50 + 8 * (1.0 - fade), outer = inner + 40 * fade;
  if (fade > 0.15) {
    const Painter squashed = Transformed(stage, Compose(Translation({kSpot.x, 150}), Scaling(1.0, 0.58)));
    DrawBurstLines(squashed, {0, 0}, inner, outer, angles, 7.0 * fade + 2.0);
  }
  DrawExclamation(stage, {kSpot.x + 60 + 2 * jitter, 120}, 34 + 8 * fade, 0.25);
}

// Stars circling over the head; the ones on the near side of the circle are drawn over it.
void DrawDizzyStars(const Painter& stage, int frame, bool nearSide) {
  for (int i = 0; i < 3; ++i) {
    const double a = frame * 0.9 + i * 2.0 * kPi / 3;
    if ((std::sin(a) > 0) != nearSide)
      continue;
    DrawStar(stage, {kSpot.x + 28 * std::cos(a), kSpot.y - 80 + 8 * std::sin(a)}, 12 + 2 * std::sin(a), a);
  }
}

}  // namespace

void DrawBikkuriFrame(const Painter& stage, int frame) {
  Pose pose;
  if (frame < 2) {
    pose = Calm();
    if (frame == 1)
      pose.eyeOpen = 0.1;
  } else if (frame < 7) {
    pose = Shocked();
    pose.ground.y -= 8 * Bump(Phase(frame, 2, 7));
    pose.bodyShiftX = frame % 2 == 0 ? 1.2 : -1.2;
    DrawShock(stage, frame);
  } else if (frame < 11) {
    pose = Squashed(Lerp(0.86, 0.74, Phase(frame, 7, 10)));
  } else if (frame < 25) {
    // Flung up and away, curled into a ball, then falling back.
    const double up = Phase(frame, 10, 17), down = Phase(frame, 17, 24);
    const double rise = frame <= 17 ? EaseOut(up) : 1.0 - EaseIn(down);
    pose = Shocked();
    pose.tucked = true;
    pose.earDroop = 0.0;
    pose.earLeft = -1.05;
    pose.earRight = 1.35;
    pose.armLeft = pose.armRight = 0.2;
    pose.eyes = EyeStyle::kSleep;
    pose.mouth = MouthStyle::kFlat;
    pose.stretch = 1.0;
    pose.scale = 1.0 - 0.76 * rise;
    const Vec2 middle{kSpot.x + 10 * rise, kSpot.y - 40 - 140 * rise};
    pose.ground = middle + Vec2{0, 37 * pose.scale};
    pose.spin = 2.0 * kPi * 2.0 * EaseInOut(Phase(frame, 10, 24));
  } else if (frame < 28) {
    pose = Squashed(frame == 25 ? 0.72 : frame == 26 ? 1.08 : 0.95);
    pose.eyes = EyeStyle::kSpiral;
    pose.mouth = MouthStyle::kWobbly;
    if (frame == 25) {
      DrawDustPuff(stage, {kSpot.x - 48, kSpot.y - 6}, 22);
      DrawDustPuff(stage, {kSpot.x + 48, kSpot.y - 6}, 22);
    }
  } else {
    pose = Calm();
    pose.eyes = EyeStyle::kSpiral;
    pose.mouth = MouthStyle::kWobbly;
    pose.earDroop = 0.5;
    pose.headTilt = 0.14 * std::sin(frame * 1.1);
    pose.bodyShiftX = 2.0 * std::sin(frame * 1.1);
    DrawDizzyStars(stage, frame, false);
  }
  DrawCreature(stage, pose);
  if (frame >= 7 && frame < 11)
    DrawSweatDrop(stage, {kSpot.x + 32, kSpot.y - 52 + 2 * (frame - 7)}, 13);
  if (frame >= 28)
    DrawDizzyStars(stage, frame, true);
}

}  // namespace assetgen
