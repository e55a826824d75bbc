#pragma once
// Overlap tests of a segment or a triangle with an axis-aligned box, used to
// walk the element octree towards the elements that may hide a bone. Touching
// counts as overlapping: the box is widened by kBoxTouchTolerance on every
// side, so a test may say "overlap" for a near miss but never misses a hit.

#include "geometry/vec3.h"

namespace velmora::geometry {

inline constexpr double kBoxTouchTolerance = 0.000002;

struct Box3 {
  Vec3 min;
  Vec3 max;
};

/// True when the segment p0-p1 crosses the face square of box on axis
/// (0 x, 1 y, 2 z) at its upper (upper = true) or lower side, the square
/// widened by kBoxTouchTolerance.
bool calcIntersectionOfLineAndSquare(const Box3& box, int axis, bool upper, const Vec3& p0,
                                     const Vec3& p1);

/// True when the segment p0-p1 has a point in box (widened).
bool calcIntersectionOfLineAndCuboid(const Box3& box, const Vec3& p0, const Vec3& p1);

/// True when the triangle a, b, c has a point in box (widened); separating
/// axis test over the box axes, the triangle normal and the 9 edge products.
bool calcIntersectionOfTrigonAndCuboid(const Box3& box, const Vec3& a, const Vec3& b,
                                       const Vec3& c);

}  // namespace velmora::geometry
