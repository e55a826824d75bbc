#include "geometry/box_overlap.h"

#include <algorithm>
#include <cmath>

namespace velmora::geometry {

namespace {

double get(const Vec3& v, int axis) { return axis == 0 ? v.x : (axis == 1 ? v.y : v.z); }

Vec3 axisVector(int axis) {
  return {axis == 0 ? 1.0 : 0.0, axis == 1 ? 1.0 : 0.0, axis == 2 ? 1.0 : 0.0};
}

bool containsWidened(const Box3& box, const Vec3& p) {
  for (int a = 0; a < 3; ++a) {
    if (get(p, a) < get(box.min, a) - kBoxTouchTolerance) return false;
    if (get(p, a) > get(box.max, a) + kBoxTouchTolerance) return false;
  }
  return true;
}

// Projections of the triangle (relative to the box centre) and the box's
// radius on axis d do not overlap.
bool separatedOn(const Vec3& d, const Vec3 v[3], const Vec3& half) {
  if (lengthSquared(d) == 0.0) return false;  // parallel edges: no axis here
  const double p0 = dot(v[0], d), p1 = dot(v[1], d), p2 = dot(v[2], d);
  const double r = half.x * std::fabs(d.x) + half.y * std::fabs(d.y) + half.z * std::fabs(d.z);
  return std::min({p0, p1, p2}) > r || std::max({p0, p1, p2}) < -r;
}

}  // namespace

bool calcIntersectionOfLineAndSquare(const Box3& box, int axis, bool upper, const Vec3& p0,
                                     const Vec3& p1) {
  const double plane = upper ? get(box.max, axis) : get(box.min, axis);
  const double s0 = get(p0, axis) - plane;
  const double s1 = get(p1, axis) - plane;
  if ((s0 > 0.0 && s1 > 0.0) || (s0 < 0.0 && s1 < 0.0)) return false;
  const double span = s0 - s1;
  const double t = span == 0.0 ? 0.0 : s0 / span;
  const Vec3 hit = lerp(p0, p1, t);
  for (int a = 0; a < 3; ++a) {
    if (a == axis) continue;
    if (get(hit, a) < get(box.min, a) - kBoxTouchTolerance) return false;
    if (get(hit, a) > get(box.max, a) + kBoxTouchTolerance) return false;
  }
  return true;
}

bool calcIntersectionOfLineAndCuboid(const Box3& box, const Vec3& p0, const Vec3& p1) {
  if (containsWidened(box, p0) || containsWidened(box, p1)) return true;
  // Both ends outside: the segment enters through a face if it meets the box.
  for (int axis = 0; axis < 3; ++axis) {
    if (calcIntersectionOfLineAndSquare(box, axis, false, p0, p1)) return true;
    if (calcIntersectionOfLineAndSquare(box, axis, true, p0, p1)) return true;
  }
  return false;
}

bool calcIntersectionOfTrigonAndCuboid(const Box3& box, const Vec3& a, const Vec3& b,
                                       const Vec3& c) {
  const Vec3 centre = (box.min + box.max) * 0.5;
  const Vec3 t{kBoxTouchTolerance, kBoxTouchTolerance, kBoxTouchTolerance};
  const Vec3 half = (box.max - box.min) * 0.5 + t;
  const Vec3 v[3] = {a - centre, b - centre, c - centre};
  const Vec3 edges[3] = {v[1] - v[0], v[2] - v[1], v[0] - v[2]};
  for (int axis = 0; axis < 3; ++axis) {
    if (separatedOn(axisVector(axis), v, half)) return false;
  }
  if (separatedOn(cross(edges[0], edges[1]), v, half)) return false;
  for (int axis = 0; axis < 3; ++axis) {
    for (const Vec3& e : edges) {
      if (separatedOn(cross(axisVector(axis), e), v, half)) return false;
    }
  }
  return true;
}

}  // namespace velmora::geometry
