// The saver's creature, Lomlom: a round, orange, long-eared little animal. A Pose says how it
// stands; DrawCreature paints it.
#pragma once
#include "canvas.h"
#include "geometry.h"

namespace assetgen {

enum class EyeStyle { kOpen, kShock, kSleep, kHappy, kSpiral };
enum class MouthStyle { kCat, kOpen, kFlat, kGrin, kWobbly };

struct Pose {
  Vec2 ground;           // point between the feet, in target pixels
  double scale = 1.0;    // 1 is full size (about 108 pixels tall with raised ears)
  double spin = 0.0;     // rotation of the whole body around its middle, radians
  double stretch = 1.0;  // above 1 taller and thinner, below 1 squashed; feet stay put
  double lean = 0.0;     // tilt of everything but the feet around the point between them, radians
  double headTilt = 0.0;
  double bodyShiftX = 0.0;  // body sway over the feet, local pixels
  Vec2 look;                // gaze, each axis -1 to 1
  EyeStyle eyes = EyeStyle::kOpen;
  double eyeOpen = 1.0;  // 0 closed, 1 normal, above 1 wide
  MouthStyle mouth = MouthStyle::kCat;
  double mouthOpen = 0.0;  // 0 to 1
  double armLeft = 0.35;   // 0 hangs down, pi/2 points sideways, pi up, negative angles swing inward
  double armRight = 0.35;
  double earLeft = 0.0;  // extra outward spread, radians
  double earRight = 0.0;
  double earDroop = 0.0;      // bend of the ear tips outward and down, radians
  double footLeftLift = 0.0;  // pixels
  double footRightLift = 0.0;
  double blush = 1.0;   // cheek strength 0 to 1.5
  bool tucked = false;  // curled into a ball (feet and arms drawn in)
};

// Map from the creature's own frame (origin between the feet, y down, unit = pixel at scale 1)
// to the target.
Affine CreatureTransform(const Pose& pose);

void DrawCreature(const Painter& painter, const Pose& pose);

// Head only, filling a square of the given size: for the icon.
void DrawCreatureFace(const Painter& painter, double size);

}  // namespace assetgen
