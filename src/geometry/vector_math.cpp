#include "geometry/vector_math.h"

#include <cmath>

#include "geometry/geometry_conventions.h"

namespace velmora::geometry {

double dist3D(const Vec3& a, const Vec3& b) { return length(b - a); }

double normalize2D(Vec2& v) { return normalize2D2(v, v); }

double normalize3D(Vec3& v) { return normalize3D2(v, v); }

namespace {

// Unit vector of v in out and v's length; a vector shorter than kZeroLength gives the
// zero vector and 0.
template <typename V>
double normalizeInto(const V& v, V& out) {
  const double len = length(v);
  if (len < kZeroLength) {
    out = {};
    return 0.0;
  }
  out = v * (1.0 / len);
  return len;
}

}  // namespace

double normalize2D2(const Vec2& v, Vec2& out) { return normalizeInto(v, out); }

double normalize3D2(const Vec3& v, Vec3& out) { return normalizeInto(v, out); }

double vect2D(const Vec2& a, const Vec2& b, Vec2& out) { return normalize2D2(b - a, out); }

double vect3D(const Vec3& a, const Vec3& b, Vec3& out) { return normalize3D2(b - a, out); }

int norm3D(const Vec3& a, const Vec3& b, Vec3& out) {
  return normalize3D2(cross(a, b), out) == 0.0 ? 1 : 0;
}

bool isEqual2DPositions(const Vec2& a, const Vec2& b) {
  return std::fabs(a.x - b.x) < kEqualPosition2D && std::fabs(a.y - b.y) < kEqualPosition2D;
}

bool isEqual3DPositions(const Vec3& a, const Vec3& b) {
  return std::fabs(a.x - b.x) < kEqualPosition3D && std::fabs(a.y - b.y) < kEqualPosition3D &&
         std::fabs(a.z - b.z) < kEqualPosition3D;
}

int crossVect2D(const Vec2& p, const Vec2& q, const Vec2& a, const Vec2& b, double& s, double& t) {
  const double den = cross(a, b);
  // Relative test: den = |a||b| sin(angle), so this is a tolerance on the angle.
  if (std::fabs(den) < kZeroLength * length(a) * length(b) || den == 0.0) {
    s = 0.0;
    t = 0.0;
    return 0;
  }
  s = cross(q - p, b) / den;
  // Back-substitute through b's larger component, the better-conditioned one.
  const Vec2 hit = p + a * s;
  t = std::fabs(b.x) >= std::fabs(b.y) ? (hit.x - q.x) / b.x : (hit.y - q.y) / b.y;
  return 1;
}

double distanceBetweenPointAndLine3D(const Vec3& a, const Vec3& b, const Vec3& p) {
  Vec3 dir;
  const double len = vect3D(a, b, dir);
  if (len == 0.0) return dist3D(a, p);
  const double along = dot(p - a, dir);
  if (along <= 0.0) return dist3D(a, p);
  if (along >= len) return dist3D(b, p);
  // Perpendicular part by Pythagoras would cancel badly for far points; subtract instead.
  return length((p - a) - dir * along);
}

int crossPosWithPlaneVect3D(const Vec3& planePoint, const Vec3& planeNormal, const Vec3& linePoint,
                            const Vec3& lineDir, Vec3& out) {
  const double den = dot(lineDir, planeNormal);
  if (std::fabs(den) < kZeroLength) {
    out = linePoint;
    return 0;
  }
  const double t = dot(planePoint - linePoint, planeNormal) / den;
  out = linePoint + lineDir * t;
  return 1;
}

namespace {

// Axis of v's smallest-magnitude coordinate, with the documented tie rule.
Vec3 smallestAxis(const Vec3& v) {
  const double ax = std::fabs(v.x);
  const double ay = std::fabs(v.y);
  const double az = std::fabs(v.z);
  if (ay > ax && az > ax) return {1.0, 0.0, 0.0};
  if (ax >= ay && az > ay) return {0.0, 1.0, 0.0};
  return {0.0, 0.0, 1.0};
}

}  // namespace

int getRot90Vector(const Vec3& v, Vec3& out) { return norm3D(v, smallestAxis(v), out); }

int getLocalAxis(const Vec3& d, Vec3& axisA, Vec3& axisB) {
  // v x e_axis is exactly "zero the smallest coordinate, swap the others, negate one".
  if (getRot90Vector(d, axisB) != 0) {
    axisA = {};
    return 1;
  }
  axisA = cross(axisB, d);
  return 0;
}

bool boolSpinTrigon(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& p3) {
  const Vec3 a = p1 - p0;
  const Vec3 b = p3 - p0;
  const Vec3 c = p3 - p2;
  const Vec3 d = p1 - p2;
  return dot(cross(a, b), cross(c, d)) > dot(cross(d, a), cross(b, c));
}

double shortestDistanceBetweenTwoVectors3D(const Vec3& p1, const Vec3& p2, const Vec3& d1,
                                           const Vec3& d2) {
  const Vec3 w = p2 - p1;
  Vec3 n;
  if (norm3D(d1, d2, n) != 0) {
    // Parallel: distance from p2 to the first line.
    return length(w - d1 * dot(w, d1));
  }
  return std::fabs(dot(w, n));
}

}  // namespace velmora::geometry
