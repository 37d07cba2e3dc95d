#include "motion.h"

namespace assetgen {

Pose Blend(const Pose& a, const Pose& b, double t) {
  Pose p = t >= 1.0 ? b : a;
  p.ground = Lerp(a.ground, b.ground, t);
  p.scale = Lerp(a.scale, b.scale, t);
  p.spin = Lerp(a.spin, b.spin, t);
  p.stretch = Lerp(a.stretch, b.stretch, t);
  p.lean = Lerp(a.lean, b.lean, t);
  p.headTilt = Lerp(a.headTilt, b.headTilt, t);
  p.bodyShiftX = Lerp(a.bodyShiftX, b.bodyShiftX, t);
  p.look = Lerp(a.look, b.look, t);
  p.eyeOpen = Lerp(a.eyeOpen, b.eyeOpen, t);
  p.mouthOpen = Lerp(a.mouthOpen, b.mouthOpen, t);
  p.armLeft = Lerp(a.armLeft, b.armLeft, t);
  p.armRight = Lerp(a.armRight, b.armRight, t);
  p.earLeft = Lerp(a.earLeft, b.earLeft, t);
  p.earRight = Lerp(a.earRight, b.earRight, t);
  p.earDroop = Lerp(a.earDroop, b.earDroop, t);
  p.footLeftLift = Lerp(a.footLeftLift, b.footLeftLift, t);
  p.footRightLift = Lerp(a.footRightLift, b.footRightLift, t);
  p.blush = Lerp(a.blush, b.blush, t);
  return p;
}

Pose PoseAt(const std::vector<Key>& keys, double frame) {
  if (frame <= keys.front().frame)
    return keys.front().pose;
  for (std::size_t i = 1; i < keys.size(); ++i) {
    if (frame < keys[i].frame) {
      const Key& a = keys[i - 1];
      const Key& b = keys[i];
      return Blend(a.pose, b.pose, EaseInOut((frame - a.frame) / (b.frame - a.frame)));
    }
  }
  return keys.back().pose;
}

}  // namespace assetgen
