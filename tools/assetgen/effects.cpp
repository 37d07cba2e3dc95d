#include "effects.h"

#include <cmath>

namespace assetgen {
namespace {

double DistanceToPolyline(Vec2 p, const std::vector<Vec2>& points) {
  double best = Length(p - points.front());
  for (std::size_t i = 1; i < points.size(); ++i)
    best = std::min(best, DistanceToSegment(p, points[i - 1], points[i]));
  return best;
}

Box BoxOfPoints(const std::vector<Vec2>& points, double margin) {
  Box box{points[0].x, points[0].y, points[0].x, points[0].y};
  for (const Vec2& p : points)
    box = Union(box, Box{p.x, p.y, p.x, p.y});
  return Grow(box, margin);
}

// Painter whose unit is `size` and origin `centre`, turned by `angle`.
Painter Local(const Painter& painter, Vec2 centre, double size, double angle) {
  return Transformed(painter, Compose(Translation(centre), Compose(Rotation(angle), Scaling(size, size))));
}

}  // namespace

void DrawPolyline(const Painter& painter, const std::vector<Vec2>& points, double width, Rgb fill, Rgb rim,
                  double rimWidth) {
  FillOutlined(
      painter, BoxOfPoints(points, width),
      [&](Vec2 p) { return DistanceToPolyline(p, points) - width * 0.5; }, fill, rim, rimWidth);
}

void DrawExclamation(const Painter& painter, Vec2 centre, double height, double tilt) {
  const Painter local = Local(painter, centre, height, tilt);
  auto mark = [](Vec2 p) {
    return std::min(SdTaperedCapsule(p, {0, -0.36}, {0, 0.16}, 0.15, 0.08), SdCircle(p, {0, 0.39}, 0.11));
  };
  FillOutlined(local, Box{-0.2, -0.52, 0.2, 0.51}, mark, RampColour(Ramp::kYellow, 1.0),
               RampColour(Ramp::kRed, 1.0), 0.07);
  Fill(
      local, Box{-0.12, -0.45, 0.05, 0.0},
      [](Vec2 p) {
        return SdTaperedCapsule(p, {-0.05, -0.38}, {-0.03, -0.12}, 0.04, 0.02);
      },
      RampColour(Ramp::kYellow, 1.8));
}

void DrawQuestion(const Painter& painter, Vec2 centre, double height, double tilt) {
  const Painter local = Local(painter, centre, height, tilt);
  std::vector<Vec2> hook;
  for (int i = 0; i <= 20; ++i) {
    const double a = kPi * (1.05 + 1.35 * i / 20.0);
    hook.push_back(Vec2{0, -0.2} + Vec2{std::cos(a), std::sin(a)} * 0.21);
  }
  hook.push_back({0.02, 0.06});
  hook.push_back({0.0, 0.13});
  DrawPolyline(local, hook, 0.15, RampColour(Ramp::kSky, 1.3), RampColour(Ramp::kSky, 0.5), 0.06);
  FillOutlined(
      local, Box{-0.15, 0.25, 0.15, 0.52},
      [](Vec2 p) {
        return SdCircle(p, {0, 0.38}, 0.09);
      },
      RampColour(Ramp::kSky, 1.3), RampColour(Ramp::kSky, 0.5), 0.06);
}

void DrawBurstLines(const Painter& painter, Vec2 centre, double inner, double outer,
                    const std::vector<double>& angles, double width) {
  for (double angle : angles) {
    const Vec2 dir{std::cos(angle), std::sin(angle)};
    const Vec2 a = centre + dir * inner, b = centre + dir * outer;
    FillOutlined(
        painter, BoxOfSegment(a, b, width),
        [&](Vec2 p) { return SdTaperedCapsule(p, a, b, width * 0.25, width * 0.5); },
        RampColour(Ramp::kYellow, 1.5), RampColour(Ramp::kRed, 0.8), width * 0.22);
  }
}

void DrawSleepZ(const Painter& painter, Vec2 centre, double size, double tilt) {
  const Painter local = Local(painter, centre, size, tilt);
  DrawPolyline(local, {{-0.32, -0.36}, {0.32, -0.36}, {-0.32, 0.36}, {0.32, 0.36}}, 0.2,
               RampColour(Ramp::kSky, 1.5), RampColour(Ramp::kViolet, 0.75), 0.09);
}

void DrawHeart(const Painter& painter, Vec2 centre, double size, double tilt) {
  const Painter local = Local(painter, centre, size, tilt);
  auto heart = [](Vec2 p) { return SdHeartUnit(p - Vec2{0, 0.5}); };
  FillOutlined(local, Box{-0.7, -0.6, 0.7, 0.6}, heart, RampColour(Ramp::kPink, 1.0),
               RampColour(Ramp::kRed, 0.7), 0.09);
  Fill(
      local, Box{-0.45, -0.45, 0.0, 0.0},
      [](Vec2 p) {
        return SdRotatedEllipse(p, {-0.26, -0.2}, 0.12, 0.07, -0.7);
      },
      RampColour(Ramp::kPink, 1.9));
}

void DrawSparkle(const Painter& painter, Vec2 centre, double size, double angle) {
  const Painter local = Local(painter, centre, size, angle);
  const Vec2 kStar[8] = {{0, -0.5}, {0.1, -0.1}, {0.5, 0},  {0.1, 0.1},
                         {0, 0.5},  {-0.1, 0.1}, {-0.5, 0}, {-0.1, -0.1}};
  FillShaded(
      local, Box{-0.55, -0.55, 0.55, 0.55}, [&](Vec2 p) { return SdPolygon(p, kStar); },
      [](Vec2 p) {
        return Mix(RampColour(Ramp::kGrey, 1.0), RampColour(Ramp::kYellow, 1.0), Clamp01(Length(p) * 3.5));
      });
}

void DrawStar(const Painter& painter, Vec2 centre, double size, double angle) {
  const Painter local = Local(painter, centre, size, angle);
  Vec2 star[10];
  for (int i = 0; i < 10; ++i) {
    const double a = -kPi / 2 + i * kPi / 5;
    const double r = i % 2 == 0 ? 0.5 : 0.22;
    star[i] = {std::cos(a) * r, std::sin(a) * r};
  }
  FillOutlined(
      local, Box{-0.55, -0.55, 0.55, 0.55}, [&](Vec2 p) { return SdPolygon(p, star) - 0.03; },
      RampColour(Ramp::kYellow, 1.2), RampColour(Ramp::kYellow, 0.5), 0.08);
}

void DrawSweatDrop(const Painter& painter, Vec2 centre, double size) {
  const Painter local = Local(painter, centre, size, 0.0);
  auto drop = [](Vec2 p) { return SdTaperedCapsule(p, {0, 0.2}, {0, -0.45}, 0.28, 0.02); };
  FillOutlined(local, Box{-0.35, -0.5, 0.35, 0.5}, drop, RampColour(Ramp::kSky, 1.2),
               RampColour(Ramp::kSky, 0.5), 0.08);
  Fill(
      local, Box{-0.2, -0.1, 0.0, 0.35},
      [](Vec2 p) {
        return SdRotatedEllipse(p, {-0.1, 0.15}, 0.05, 0.1, 0.3);
      },
      RampColour(Ramp::kSky, 2.0));
}

void DrawDustPuff(const Painter& painter, Vec2 centre, double size) {
  const Painter local = Local(painter, centre, size, 0.0);
  auto puff = [](Vec2 p) {
    return SmoothUnion(SmoothUnion(SdCircle(p, {-0.22, 0.08}, 0.26), SdCircle(p, {0.05, -0.08}, 0.32), 0.1),
                       SdCircle(p, {0.28, 0.1}, 0.22), 0.1);
  };
  FillOutlined(local, Box{-0.5, -0.42, 0.52, 0.35}, puff, RampColour(Ramp::kCream, 0.8),
               RampColour(Ramp::kCream, 0.4), 0.07);
}

void DrawBubble(const Painter& painter, Vec2 centre, double radius) {
  FillOutlined(
      painter, BoxAround(centre, radius, radius), [&](Vec2 p) { return SdCircle(p, centre, radius); },
      RampColour(Ramp::kSky, 1.55), RampColour(Ramp::kSky, 0.85), std::max(0.8, radius * 0.14));
  const Vec2 shine = centre + Vec2{-radius * 0.35, -radius * 0.35};
  Fill(
      painter, BoxAround(shine, radius, radius), [&](Vec2 p) { return SdCircle(p, shine, radius * 0.22); },
      RampColour(Ramp::kGrey, 1.0));
}

void DrawMotionArc(const Painter& painter, Vec2 centre, double radius, double fromAngle, double toAngle,
                   double width) {
  const double span = toAngle - fromAngle;
  auto arc = [&](Vec2 p) {
    const Vec2 q = p - centre;
    double angle = std::atan2(q.y, q.x);
    const double mid = fromAngle + span * 0.5;
    while (angle < mid - kPi)
      angle += 2 * kPi;
    while (angle > mid + kPi)
      angle -= 2 * kPi;
    const double t = (angle - fromAngle) / span;
    if (t < 0.0 || t > 1.0)
      return 1e9;
    return std::fabs(Length(q) - radius) - width * 0.5 * t;
  };
  Fill(painter, BoxAround(centre, radius + width, radius + width), arc, RampColour(Ramp::kCream, 1.05));
}

}  // namespace assetgen
