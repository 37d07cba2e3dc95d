#include "creature.h"

#include <cmath>

namespace assetgen {
namespace {

constexpr double kOutline = 1.6;
const Vec2 kBodyCentre{0, -37};
const Vec2 kFaceCentre{0, -40};

Rgb Fur(double level) {
  return RampColour(Ramp::kFur, level);
}
Rgb OutlineColour() {
  return Fur(0.42);
}
Rgb InkColour() {
  return RampColour(Ramp::kInk, 0.55);
}

double BodySdf(Vec2 p) {
  const double upper = SdEllipse(p, kBodyCentre, 31, 29.5);
  const double lower = SdEllipse(p, {0, -19}, 29.5, 15);
  const double tuft = std::min(SdTaperedCapsule(p, {-1, -64}, {-5, -72.5}, 4.0, 1.3),
                               SdTaperedCapsule(p, {2, -64}, {5.5, -70}, 3.2, 1.1));
  return SmoothUnion(SmoothUnion(upper, lower, 8.0), tuft, 4.0);
}

Rgb BodyShade(Vec2 p) {
  const double lit = SdEllipse(p, {-4, -40.5}, 30, 29);
  const double shadow = Clamp01((lit + 1.0) / 3.0);
  const double highlight = Clamp01(0.5 - SdRotatedEllipse(p, {-14, -55}, 6.5, 3.3, -0.55) / 1.5);
  return Mix(Fur(1.0 - 0.22 * shadow), Fur(1.65), highlight);
}

struct Ear {
  Vec2 base, joint, tip;
};

Ear EarGeometry(double side, const Pose& pose) {
  const double spread = side < 0 ? pose.earLeft : pose.earRight;
  const double a1 = 0.2 + spread;
  const double a2 = a1 + pose.earDroop;
  Ear ear;
  ear.base = {13 * side, -59};
  ear.joint = ear.base + Vec2{std::sin(a1) * side, -std::cos(a1)} * 20.0;
  ear.tip = ear.joint + Vec2{std::sin(a2) * side, -std::cos(a2)} * 18.0;
  return ear;
}

void DrawEar(const Painter& painter, const Ear& ear) {
  auto outer = [&](Vec2 p) {
    return SmoothUnion(SdTaperedCapsule(p, ear.base, ear.joint, 8.6, 7.6),
                       SdTaperedCapsule(p, ear.joint, ear.tip, 7.6, 5.0), 3.0);
  };
  const Box box = Grow(Union(BoxOfSegment(ear.base, ear.joint, 9), BoxOfSegment(ear.joint, ear.tip, 8)), 1);
  FillOutlined(painter, box, outer, Fur(0.96), OutlineColour(), kOutline);
  const Vec2 innerBase = Lerp(ear.base, ear.joint, 0.25);
  const Vec2 innerTip = Lerp(ear.joint, ear.tip, 0.7);
  auto inner = [&](Vec2 p) {
    return SmoothUnion(SdTaperedCapsule(p, innerBase, ear.joint, 4.6, 4.0),
                       SdTaperedCapsule(p, ear.joint, innerTip, 4.0, 2.2), 2.0);
  };
  Fill(painter, box, inner, RampColour(Ramp::kPink, 0.9));
}

void DrawArm(const Painter& painter, double side, double angle, bool tucked) {
  const double raised = tucked ? 0.0 : Clamp01((std::fabs(angle) - 1.2) / 1.5);
  const Vec2 shoulder{(tucked ? 18 : 24 + 1.5 * raised) * side, tucked ? -34.0 : -27.5 - 6.0 * raised};
  const double length = tucked ? 8 : 10.5 + 6.0 * raised;
  const Vec2 paw = shoulder + Vec2{std::sin(angle) * side, std::cos(angle)} * length;
  FillOutlined(
      painter, BoxOfSegment(shoulder, paw, 6),
      [&](Vec2 p) { return SdTaperedCapsule(p, shoulder, paw, 4.6, 5.4); }, Fur(0.93), OutlineColour(),
      kOutline);
}

void DrawFoot(const Painter& painter, double side, double lift, bool tucked) {
  const Vec2 centre{(tucked ? 9 : 13) * side, (tucked ? -12.0 : -4.0) - lift};
  FillOutlined(
      painter, BoxAround(centre, 10, 6.5), [&](Vec2 p) { return SdEllipse(p, centre, 9.5, 5.6); }, Fur(0.92),
      OutlineColour(), kOutline);
  const Vec2 pad = centre + Vec2{0, 1.2};
  Fill(
      painter, BoxAround(pad, 5, 3), [&](Vec2 p) { return SdEllipse(p, pad, 4.6, 2.4); },
      RampColour(Ramp::kCream, 0.95));
}

template <class Distance>
void DrawStroke(const Painter& painter, Box box, Distance distance, double width, Rgb colour) {
  Fill(
      painter, Grow(box, width), [&](Vec2 p) { return distance(p) - width * 0.5; }, colour);
}

struct ArcShape {
  Vec2 centre;
  double radius, a0, a1;
};

void DrawArc(const Painter& painter, const ArcShape& arc, double width, Rgb colour) {
  DrawStroke(
      painter, BoxAround(arc.centre, arc.radius, arc.radius),
      [&](Vec2 p) { return DistanceToArc(p, arc.centre, arc.radius, arc.a0, arc.a1); }, width, colour);
}

void DrawLine(const Painter& painter, Vec2 a, Vec2 b, double width, Rgb colour) {
  DrawStroke(
      painter, BoxOfSegment(a, b, width), [&](Vec2 p) { return DistanceToSegment(p, a, b); }, width, colour);
}

void DrawEye(const Painter& painter, Vec2 centre, double side, const Pose& pose) {
  const Rgb ink = InkColour();
  const Rgb white = RampColour(Ramp::kGrey, 1.0);
  const Vec2 gaze = centre + Vec2{pose.look.x * 2.2, pose.look.y * 1.8};
  switch (pose.eyes) {
    case EyeStyle::kOpen: {
      if (pose.eyeOpen < 0.22) {
        DrawArc(painter, {gaze + Vec2{0, -3.2}, 4.6, 0.55, kPi - 0.55}, 1.5, ink);
        return;
      }
      const double wide = std::max(1.0, pose.eyeOpen);
      const double rx = 5.0 * std::min(1.15, wide), ry = 6.8 * wide;
      // A heavy, arched lid cuts the eye from above when it is less than fully open.
      const double lid = gaze.y - ry + 2.0 * ry * (1.0 - std::min(1.0, pose.eyeOpen));
      const double arch = pose.eyeOpen < 0.95 ? 2.2 : 0.0;
      auto lidAt = [&](double x) { return lid + arch * ((x - gaze.x) / rx) * ((x - gaze.x) / rx); };
      auto eye = [&](Vec2 p) { return std::max(SdEllipse(p, gaze, rx, ry), lidAt(p.x) - p.y); };
      FillShaded(painter, BoxAround(gaze, rx + 1, ry + 1), eye, [&](Vec2 p) {
        const double low = Clamp01((p.y - gaze.y) / ry);
        return Mix(ink, RampColour(Ramp::kViolet, 0.62), low * low);
      });
      const double shine = std::min(2.3, (gaze.y + ry - lid) * 0.22);
      const Vec2 big = gaze + Vec2{-1.6, std::max(-ry * 0.38, lid - gaze.y + shine + 0.6)};
      Fill(
          painter, BoxAround(big, 3, 3), [&](Vec2 p) { return SdCircle(p, big, shine); }, white);
      const Vec2 small = gaze + Vec2{1.7, ry * 0.42};
      Fill(
          painter, BoxAround(small, 2, 2),
          [&](Vec2 p) { return SdCircle(p, small, std::min(1.1, shine * 0.5)); }, white);
      if (pose.eyeOpen < 0.95) {
        const double half = rx * std::sqrt(std::max(0.0, 1.0 - std::pow((lid - gaze.y) / ry, 2)));
        const double reach = half + 0.8;
        DrawStroke(
            painter, BoxAround(gaze, rx + 2, ry + 2),
            [&](Vec2 p) {
              const double x = std::clamp(p.x, gaze.x - reach, gaze.x + reach);
              return std::hypot(p.x - x, (p.y - lidAt(x)) * 0.9);
            },
            1.4, ink);
      }
      return;
    }
    case EyeStyle::kShock: {
      const double rx = 5.8 * pose.eyeOpen, ry = 7.4 * pose.eyeOpen;
      FillOutlined(
          painter, BoxAround(centre, rx + 1, ry + 1), [&](Vec2 p) { return SdEllipse(p, centre, rx, ry); },
          white, ink, 1.1);
      const Vec2 pupil = centre + Vec2{pose.look.x * 1.5, pose.look.y * 1.5};
      Fill(
          painter, BoxAround(pupil, 3, 3), [&](Vec2 p) { return SdCircle(p, pupil, 1.9); }, ink);
      return;
    }
    case EyeStyle::kSleep:
      DrawArc(painter, {centre + Vec2{0, -2.6}, 4.8, 0.5, kPi - 0.5}, 1.6, ink);
      return;
    case EyeStyle::kHappy:
      DrawArc(painter, {centre + Vec2{0, 2.6}, 4.8, -kPi + 0.45, -0.45}, 1.8, ink);
      return;
    case EyeStyle::kSpiral: {
      const double turn = side * 0.9;
      auto spiral = [&](Vec2 p) {
        double best = 1e9;
        Vec2 previous = centre;
        for (int i = 1; i <= 28; ++i) {
          const double t = i / 28.0;
          const double angle = turn + side * t * 4.2 * kPi;
          const Vec2 point = centre + Vec2{std::cos(angle), std::sin(angle)} * (t * 5.6);
          best = std::min(best, DistanceToSegment(p, previous, point));
          previous = point;
        }
        return best - 0.7;
      };
      Fill(painter, BoxAround(centre, 7, 7), spiral, ink);
      return;
    }
  }
}

void DrawMouth(const Painter& painter, const Pose& pose) {
  const Rgb ink = InkColour();
  const Vec2 m{0, -33.5};
  switch (pose.mouth) {
    case MouthStyle::kCat:
      DrawArc(painter, {m + Vec2{-2.4, 0}, 2.4, 0.15, kPi - 0.1}, 1.2, ink);
      DrawArc(painter, {m + Vec2{2.4, 0}, 2.4, 0.1, kPi - 0.15}, 1.2, ink);
      return;
    case MouthStyle::kFlat:
      DrawLine(painter, {-2.8, -32.5}, {2.8, -32.5}, 1.2, ink);
      return;
    case MouthStyle::kWobbly: {
      auto wave = [](Vec2 p) {
        double best = 1e9;
        Vec2 previous{-4.5, -32.5};
        for (int i = 1; i <= 16; ++i) {
          const double x = -4.5 + 9.0 * i / 16.0;
          const Vec2 point{x, -32.5 + 0.9 * std::sin(x * 1.6)};
          best = std::min(best, DistanceToSegment(p, previous, point));
          previous = point;
        }
        return best;
      };
      DrawStroke(painter, BoxAround(m + Vec2{0, 1}, 5.5, 2), wave, 1.2, ink);
      return;
    }
    case MouthStyle::kOpen:
    case MouthStyle::kGrin: {
      const double open = std::max(pose.mouthOpen, 0.15);
      const bool grin = pose.mouth == MouthStyle::kGrin;
      const double rx = grin ? 5.8 : 2.6 + 2.2 * open;
      const double ry = grin ? 2.5 + 3.5 * open : 1.8 + 5.2 * open;
      const Vec2 c = m + Vec2{0, grin ? 0.5 : ry * 0.55};
      auto mouth = [&](Vec2 p) {
        const double oval = SdEllipse(p, c, rx, ry);
        return grin ? std::max(oval, c.y - 0.3 - p.y) : oval;
      };
      const Vec2 tongue = c + Vec2{0, ry * 0.75};
      FillOutlined(painter, BoxAround(c, rx + 1, ry + 1), mouth, RampColour(Ramp::kRed, 0.55), ink, 0.9);
      Fill(
          painter, BoxAround(c, rx + 1, ry + 1),
          [&](Vec2 p) { return std::max(mouth(p), SdEllipse(p, tongue, rx * 0.7, ry * 0.55)); },
          RampColour(Ramp::kPink, 1.0));
      return;
    }
  }
}

void DrawFace(const Painter& painter, const Pose& pose) {
  const Rgb cheek = RampColour(Ramp::kPink, 1.0);
  for (double side : {-1.0, 1.0}) {
    const Vec2 c{20 * side, -35};
    Fill(
        painter, BoxAround(c, 6, 4), [&](Vec2 p) { return SdEllipse(p, c, 4.6, 2.8); }, cheek,
        std::min(1.0, 0.75 * pose.blush));
  }
  for (double side : {-1.0, 1.0})
    DrawEye(painter, {11.5 * side, -43}, side, pose);
  const Vec2 nose{0, -37};
  Fill(
      painter, BoxAround(nose, 2, 2), [&](Vec2 p) { return SdEllipse(p, nose, 1.8, 1.2); }, InkColour());
  DrawMouth(painter, pose);
}

}  // namespace

Affine CreatureTransform(const Pose& pose) {
  // Squashing widens the body, though less than keeping its area would.
  const double sx = std::pow(pose.stretch, -0.35), sy = pose.stretch;
  const Affine local = Compose(Scaling(sx, sy), Translation({pose.bodyShiftX, 0}));
  const Vec2 middle{0, kBodyCentre.y * sy};
  return Compose(Translation(pose.ground),
                 Compose(Scaling(pose.scale, pose.scale), Compose(RotationAbout(middle, pose.spin), local)));
}

void DrawCreature(const Painter& target, const Pose& pose) {
  const Painter planted = Transformed(target, CreatureTransform(pose));
  const Painter body = Transformed(planted, Rotation(pose.lean));
  const Painter head = Transformed(body, RotationAbout(kFaceCentre, pose.headTilt));
  for (double side : {-1.0, 1.0})
    DrawEar(head, EarGeometry(side, pose));
  Fill(
      body, Box{-34, -76, 34, 0}, [](Vec2 p) { return BodySdf(p) - kOutline; }, OutlineColour());
  FillShaded(body, Box{-33, -75, 33, 0}, BodySdf, BodyShade);
  const Vec2 belly{0, -17};
  Fill(
      body, BoxAround(belly, 19, 13), [&](Vec2 p) { return SdEllipse(p, belly, 17.5, 11.5); },
      RampColour(Ramp::kCream, 1.0));
  DrawFoot(planted, -1, pose.footLeftLift, pose.tucked);
  DrawFoot(planted, 1, pose.footRightLift, pose.tucked);
  DrawArm(body, -1, pose.armLeft, pose.tucked);
  DrawArm(body, 1, pose.armRight, pose.tucked);
  DrawFace(head, pose);
}

void DrawCreatureFace(const Painter& painter, double size) {
  // Small icons show the head larger and let the body run off the bottom edge.
  const double zoom = size <= 16 ? 1.3 : size <= 32 ? 1.12 : 1.0;
  Pose pose;
  pose.earLeft = pose.earRight = 0.32;
  pose.earDroop = 0.3;
  pose.armLeft = pose.armRight = 0.1;
  pose.eyeOpen = size <= 16 ? 1.2 : 1.0;
  pose.scale = size / 92.0 * zoom;
  pose.ground = {size * 0.5, size + (6 + 30 * (zoom - 1.0)) * pose.scale};
  DrawCreature(painter, pose);
}

}  // namespace assetgen
