// Cartoon signs drawn around the creature: exclamation and question marks, shock lines, sleep Zs,
// hearts, sparkles, stars, sweat drops, dust puffs and motion arcs. Sizes are in the painter's units.
#pragma once
#include <vector>

#include "canvas.h"
#include "geometry.h"

namespace assetgen {

// Round-capped line through the points with a darker rim.
void DrawPolyline(const Painter& painter, const std::vector<Vec2>& points, double width, Rgb fill, Rgb rim,
                  double rimWidth);

void DrawExclamation(const Painter& painter, Vec2 centre, double height, double tilt);
void DrawQuestion(const Painter& painter, Vec2 centre, double height, double tilt);
// Lines pointing away from `centre`, between radii inner and outer, at the given angles.
void DrawBurstLines(const Painter& painter, Vec2 centre, double inner, double outer,
                    const std::vector<double>& angles, double width);
void DrawSleepZ(const Painter& painter, Vec2 centre, double size, double tilt);
void DrawHeart(const Painter& painter, Vec2 centre, double size, double tilt);
void DrawSparkle(const Painter& painter, Vec2 centre, double size, double angle);
void DrawStar(const Painter& painter, Vec2 centre, double size, double angle);
void DrawSweatDrop(const Painter& painter, Vec2 centre, double size);
void DrawDustPuff(const Painter& painter, Vec2 centre, double size);
void DrawBubble(const Painter& painter, Vec2 centre, double radius);
// Curved trail along a circle, fading in width toward its start angle.
void DrawMotionArc(const Painter& painter, Vec2 centre, double radius, double fromAngle, double toAngle,
                   double width);

}  // namespace assetgen
