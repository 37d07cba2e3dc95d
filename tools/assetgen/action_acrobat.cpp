// Acrobat: the creature somersaults in from far away, springs off the stage up into the sky, comes
// tumbling back, lands and strikes a pose.
#include <cmath>

#include "actions.h"
#include "effects.h"
#include "motion.h"

namespace assetgen {
namespace {

const Vec2 kFar{164, 24.5};
const Vec2 kLanding{215, 207};
const Vec2 kSky{175, 40};
constexpr int kTouchDown = 20;
constexpr int kApex = 31;
constexpr int kLanded = 47;

Pose Ball(Vec2 middle, double scale, double spin) {
  Pose p;
  p.tucked = true;
  p.scale = scale;
  p.spin = spin;
  p.ground = middle + Vec2{0, 37 * scale};
  p.eyes = EyeStyle::kSleep;
  p.mouth = MouthStyle::kCat;
  p.earLeft = -1.05;
  p.earRight = 1.35;
  p.armLeft = p.armRight = 0.2;
  return p;
}

Pose Standing() {
  Pose p;
  p.ground = kLanding;
  p.eyes = EyeStyle::kHappy;
  p.mouth = MouthStyle::kGrin;
  p.mouthOpen = 0.6;
  return p;
}

Pose TaDa() {
  Pose p = Standing();
  p.armLeft = 2.85;
  p.armRight = 2.6;
  p.stretch = 1.05;
  p.footRightLift = 5;
  p.earLeft = p.earRight = 0.15;
  p.blush = 1.4;
  return p;
}

// Point on the way between two places, lifted by an arc of the given height.
Vec2 Arc(Vec2 from, Vec2 to, double t, double height) {
  return Lerp(from, to, t) - Vec2{0, height * 4 * t * (1 - t)};
}

Pose Flight(int frame) {
  if (frame <= kTouchDown) {
    const double t = frame / static_cast<double>(kTouchDown);
    const double scale = 0.115 * std::pow(1.0 / 0.115, std::pow(t, 1.4));
    const Vec2 middle = Arc(kFar, kLanding - Vec2{0, 37}, t, 40);
    return Ball(middle, scale, -2 * kPi * 2.0 * t);
  }
  if (frame <= kApex) {
    const double t = EaseOut(Phase(frame, kTouchDown + 1, kApex));
    const double scale = std::pow(0.06, t);
    return Ball(Lerp(kLanding - Vec2{0, 60}, kSky, t), scale, -2 * kPi * t);
  }
  const double t = EaseIn(Phase(frame, kApex, kLanded - 1));
  const double scale = 0.06 * std::pow(1.0 / 0.06, t);
  Pose p = Ball(Arc(kSky, kLanding - Vec2{0, 45}, t, 10), scale, -2 * kPi * 2.0 * t);
  if (frame >= kLanded - 4) {
    p.tucked = false;
    p.armLeft = p.armRight = 1.9;
    p.earLeft = p.earRight = 0.4;
    p.earDroop = 0.2;
    p.eyes = EyeStyle::kOpen;
    p.eyeOpen = 1.1;
    p.mouth = MouthStyle::kOpen;
    p.mouthOpen = 0.5;
    p.footLeftLift = p.footRightLift = 4;
  }
  return p;
}

// Swish lines trailing the tumbling ball.
void DrawTrail(const Painter& stage, const Pose& ball) {
  if (!ball.tucked || ball.scale < 0.3)
    return;
  const Vec2 middle = ball.ground - Vec2{0, 37 * ball.scale};
  const double radius = 46 * ball.scale;
  const double width = 3.5 * ball.scale + 1.0;
  DrawMotionArc(stage, middle, radius, ball.spin + 0.6, ball.spin + 2.2, width);
  DrawMotionArc(stage, middle, radius, ball.spin + 0.6 + kPi, ball.spin + 2.2 + kPi, width);
}

void DrawSparkles(const Painter& stage, int frame) {
  const Vec2 spots[3] = {{kLanding.x - 38, kLanding.y - 96},
                         {kLanding.x + 40, kLanding.y - 88},
                         {kLanding.x + 28, kLanding.y - 104}};
  for (int i = 0; i < 3; ++i) {
    const int start = 52 + 3 * i;
    if (frame < start)
      continue;
    const double twinkle = 0.75 + 0.25 * std::cos((frame - start) * 1.3 + i);
    DrawSparkle(stage, spots[i], 15 * twinkle * EaseOut(Phase(frame, start, start + 3)), 0.0);
  }
}

}  // namespace

void DrawAcrobatFrame(const Painter& stage, int frame) {
  Pose pose;
  if (frame < kLanded && frame != kTouchDown) {
    pose = Flight(frame);
    DrawTrail(stage, pose);
  } else if (frame == kTouchDown) {
    pose = Standing();
    pose.stretch = 0.74;
    pose.eyes = EyeStyle::kSleep;
    pose.mouth = MouthStyle::kOpen;
    pose.mouthOpen = 0.3;
    pose.armLeft = pose.armRight = 1.3;
  } else if (frame < kLanded + 4) {
    const double squash[4] = {0.72, 1.07, 0.95, 1.0};
    pose = Standing();
    pose.stretch = squash[frame - kLanded];
    pose.armLeft = pose.armRight = 1.6;
    if (frame == kLanded) {
      DrawDustPuff(stage, {kLanding.x - 38, kLanding.y - 5}, 20);
      DrawDustPuff(stage, {kLanding.x + 38, kLanding.y - 5}, 20);
    }
  } else {
    pose = Blend(Standing(), TaDa(), EaseOut(Phase(frame, kLanded + 3, kLanded + 7)));
    DrawSparkles(stage, frame);
  }
  DrawCreature(stage, pose);
}

}  // namespace assetgen
