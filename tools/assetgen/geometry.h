// 2-D vectors, affine maps and signed distance functions for the shapes the art is drawn from.
#pragma once
#include <algorithm>
#include <cmath>

namespace assetgen {

constexpr double kPi = 3.14159265358979323846;

struct Vec2 {
  double x = 0;
  double y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) {
  return {a.x + b.x, a.y + b.y};
}
inline Vec2 operator-(Vec2 a, Vec2 b) {
  return {a.x - b.x, a.y - b.y};
}
inline Vec2 operator*(Vec2 a, double s) {
  return {a.x * s, a.y * s};
}
inline double Dot(Vec2 a, Vec2 b) {
  return a.x * b.x + a.y * b.y;
}
inline double Length(Vec2 a) {
  return std::sqrt(Dot(a, a));
}
inline Vec2 Rotate(Vec2 p, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  return {c * p.x - s * p.y, s * p.x + c * p.y};
}
inline Vec2 Lerp(Vec2 a, Vec2 b, double t) {
  return a + (b - a) * t;
}
inline double Lerp(double a, double b, double t) {
  return a + (b - a) * t;
}
inline double Clamp01(double v) {
  return std::clamp(v, 0.0, 1.0);
}

// Axis-aligned box, used to limit the pixels a shape can touch.
struct Box {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

inline Box BoxAround(Vec2 c, double rx, double ry) {
  return {c.x - rx, c.y - ry, c.x + rx, c.y + ry};
}
inline Box Grow(Box b, double m) {
  return {b.x0 - m, b.y0 - m, b.x1 + m, b.y1 + m};
}
inline Box Union(Box a, Box b) {
  return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}
inline Box BoxOfSegment(Vec2 a, Vec2 b, double r) {
  return {std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::max(a.x, b.x) + r, std::max(a.y, b.y) + r};
}

// Local-to-target map: X = a x + b y + tx, Y = c x + d y + ty.
struct Affine {
  double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
};

inline Vec2 Apply(const Affine& m, Vec2 p) {
  return {m.a * p.x + m.b * p.y + m.tx, m.c * p.x + m.d * p.y + m.ty};
}
inline Affine Compose(const Affine& outer, const Affine& inner) {
  return {outer.a * inner.a + outer.b * inner.c,
          outer.a * inner.b + outer.b * inner.d,
          outer.c * inner.a + outer.d * inner.c,
          outer.c * inner.b + outer.d * inner.d,
          outer.a * inner.tx + outer.b * inner.ty + outer.tx,
          outer.c * inner.tx + outer.d * inner.ty + outer.ty};
}
inline Affine Inverse(const Affine& m) {
  const double det = m.a * m.d - m.b * m.c;
  const double ia = m.d / det, ib = -m.b / det, ic = -m.c / det, id = m.a / det;
  return {ia, ib, ic, id, -(ia * m.tx + ib * m.ty), -(ic * m.tx + id * m.ty)};
}
inline Affine Translation(Vec2 t) {
  return {1, 0, 0, 1, t.x, t.y};
}
inline Affine Scaling(double sx, double sy) {
  return {sx, 0, 0, sy, 0, 0};
}
inline Affine Rotation(double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  return {c, -s, s, c, 0, 0};
}
// Rotation by angle around a pivot point.
inline Affine RotationAbout(Vec2 pivot, double angle) {
  return Compose(Translation(pivot), Compose(Rotation(angle), Translation(pivot * -1)));
}
// Length scale of the map, for turning local distances into target distances.
inline double LinearScale(const Affine& m) {
  return std::sqrt(std::fabs(m.a * m.d - m.b * m.c));
}
inline Box MapBox(const Affine& m, Box b) {
  const Vec2 corners[4] = {{b.x0, b.y0}, {b.x1, b.y0}, {b.x0, b.y1}, {b.x1, b.y1}};
  Box out{1e9, 1e9, -1e9, -1e9};
  for (const Vec2& corner : corners) {
    const Vec2 p = Apply(m, corner);
    out = {std::min(out.x0, p.x), std::min(out.y0, p.y), std::max(out.x1, p.x), std::max(out.y1, p.y)};
  }
  return out;
}

inline double SdCircle(Vec2 p, Vec2 c, double r) {
  return Length(p - c) - r;
}

// Close approximation of the distance to an ellipse, exact enough for edge coverage.
inline double SdEllipse(Vec2 p, Vec2 c, double rx, double ry) {
  const Vec2 q = p - c;
  const double k0 = std::sqrt((q.x / rx) * (q.x / rx) + (q.y / ry) * (q.y / ry));
  const double k1 = std::sqrt((q.x / (rx * rx)) * (q.x / (rx * rx)) + (q.y / (ry * ry)) * (q.y / (ry * ry)));
  if (k1 < 1e-12)
    return -std::min(rx, ry);
  return k0 * (k0 - 1.0) / k1;
}

inline double SdRotatedEllipse(Vec2 p, Vec2 c, double rx, double ry, double angle) {
  return SdEllipse(Rotate(p - c, -angle), {0, 0}, rx, ry);
}

inline double DistanceToSegment(Vec2 p, Vec2 a, Vec2 b) {
  const Vec2 pa = p - a, ba = b - a;
  const double len2 = Dot(ba, ba);
  const double h = len2 > 0 ? Clamp01(Dot(pa, ba) / len2) : 0.0;
  return Length(pa - ba * h);
}

// Capsule whose radius changes from ra at a to rb at b.
inline double SdTaperedCapsule(Vec2 p, Vec2 a, Vec2 b, double ra, double rb) {
  const Vec2 axis = b - a;
  const double h = Length(axis);
  if (h < 1e-9)
    return Length(p - a) - std::max(ra, rb);
  const Vec2 dir = axis * (1.0 / h);
  const Vec2 rel = p - a;
  const double qy = Dot(rel, dir);
  const double qx = std::fabs(rel.x * dir.y - rel.y * dir.x);
  const double bb = (ra - rb) / h;
  const double aa = std::sqrt(std::max(0.0, 1.0 - bb * bb));
  const double k = qx * (-bb) + qy * aa;
  if (k < 0.0)
    return std::sqrt(qx * qx + qy * qy) - ra;
  if (k > aa * h)
    return std::sqrt(qx * qx + (qy - h) * (qy - h)) - rb;
  return qx * aa + qy * bb - ra;
}

// Heart of unit height with its tip at the origin, pointing down (y grows downward).
inline double SdHeartUnit(Vec2 p) {
  const double x = std::fabs(p.x), y = -p.y;
  if (y + x > 1.0)
    return std::sqrt((x - 0.25) * (x - 0.25) + (y - 0.75) * (y - 0.75)) - std::sqrt(2.0) / 4.0;
  const double d1 = x * x + (y - 1.0) * (y - 1.0);
  const double m = 0.5 * std::max(x + y, 0.0);
  const double d2 = (x - m) * (x - m) + (y - m) * (y - m);
  return std::sqrt(std::min(d1, d2)) * (x - y > 0 ? 1.0 : -1.0);
}

// Distance to a closed polygon, negative inside.
template <int N>
double SdPolygon(Vec2 p, const Vec2 (&v)[N]) {
  double d = Dot(p - v[0], p - v[0]);
  double s = 1.0;
  for (int i = 0, j = N - 1; i < N; j = i, ++i) {
    const Vec2 e = v[j] - v[i];
    const Vec2 w = p - v[i];
    const Vec2 b = w - e * Clamp01(Dot(w, e) / Dot(e, e));
    d = std::min(d, Dot(b, b));
    const bool c1 = p.y >= v[i].y, c2 = p.y<v[j].y, c3 = e.x * w.y> e.y * w.x;
    if ((c1 && c2 && c3) || (!c1 && !c2 && !c3))
      s = -s;
  }
  return s * std::sqrt(d);
}

// Distance to the circular arc around c of radius r from angle a0 to a1 (a0 < a1, radians,
// measured from +x toward +y).
inline double DistanceToArc(Vec2 p, Vec2 c, double r, double a0, double a1) {
  const Vec2 q = p - c;
  double angle = std::atan2(q.y, q.x);
  const double mid = 0.5 * (a0 + a1);
  while (angle < mid - kPi)
    angle += 2 * kPi;
  while (angle > mid + kPi)
    angle -= 2 * kPi;
  if (angle >= a0 && angle <= a1)
    return std::fabs(Length(q) - r);
  const Vec2 e0 = c + Vec2{std::cos(a0), std::sin(a0)} * r;
  const Vec2 e1 = c + Vec2{std::cos(a1), std::sin(a1)} * r;
  return std::min(Length(p - e0), Length(p - e1));
}

// Union with a soft fillet of size k between the two shapes.
inline double SmoothUnion(double a, double b, double k) {
  const double h = std::max(k - std::fabs(a - b), 0.0) / k;
  return std::min(a, b) - h * h * k * 0.25;
}

}  // namespace assetgen
