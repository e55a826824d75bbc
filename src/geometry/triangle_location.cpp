#include "geometry/triangle_location.h"

#include <algorithm>
#include <cmath>

#include "geometry/geometry_conventions.h"
#include "geometry/vector_math.h"

namespace velmora::geometry {

namespace {

// A point this close outside an edge line counts as on it, so a query on a
// corner lands in that corner's region despite rounding of the frame.
constexpr double kOnEdgeTolerance = 1e-9;

// Signed distance of p outside edge from -> to of a counter-clockwise triangle
// (positive outside); 0 for a zero-length edge, which bounds nothing.
double outsideDistance(const Vec2& from, const Vec2& to, const Vec2& p) {
  Vec2 dir;
  if (vect2D(from, to, dir) == 0.0) return 0.0;
  return dot(p - from, Vec2{dir.y, -dir.x});
}

// Position of p along from -> to, clamped to [0, 1]; a zero-length edge gives
// 0, its start corner (which is also its end).
double positionAlong(const Vec2& from, const Vec2& to, const Vec2& p) {
  const Vec2 e = to - from;
  const double lenSq = lengthSquared(e);
  if (lenSq < kZeroLength * kZeroLength) return 0.0;
  return std::clamp(dot(p - from, e) / lenSq, 0.0, 1.0);
}

Vec2 cornerAtHeight(const SurfaceElement& t, int i, double h) {
  const Vec3& n = t.cornerNormal[i];
  return t.corner2[i] + Vec2{n.x, n.y} * (h / n.z);
}

void set(double c[3], double c0, double c1, double c2) {
  c[0] = c0;
  c[1] = c1;
  c[2] = c2;
}

// Relative to the longest side, so that scale does not decide degeneracy.
constexpr double kFlatTriangleRatio = 1e-12;

bool hasNoArea(const Vec2& a, const Vec2& b, const Vec2& c) {
  const double longestSq = std::max({lengthSquared(b - a), lengthSquared(c - b), lengthSquared(a - c)});
  return std::fabs(cross(b - a, c - a)) <= kFlatTriangleRatio * longestSq;
}

// Barycentric weights of p in (a, b, c), which has area.
void barycentric(const Vec2& a, const Vec2& b, const Vec2& c, const Vec2& p, double w[3]) {
  const double area = cross(b - a, c - a);
  w[1] = cross(p - a, c - a) / area;
  w[2] = cross(b - a, p - a) / area;
  w[0] = 1.0 - w[1] - w[2];
}

// A flat triangle is a line (or a point): the point is split between the ends
// of its longest side, reported as outside that side.
int locateOnLongestSide(const Vec2& a, const Vec2& b, const Vec2& cc, const Vec2& p, double c[3]) {
  const double ab = lengthSquared(b - a), bc = lengthSquared(cc - b), ca = lengthSquared(a - cc);
  if (ab >= bc && ab >= ca) {
    const double t = positionAlong(a, b, p);
    return set(c, 1.0, t, 1.0 - t), kOutsideEdgeAB;
  }
  if (bc >= ca) {
    const double t = positionAlong(b, cc, p);
    return set(c, 1.0 - t, 1.0, t), kOutsideEdgeBC;
  }
  const double t = positionAlong(cc, a, p);
  return set(c, t, 1.0 - t, 1.0), kOutsideEdgeCA;
}

}  // namespace

int getLocationPerAtTrigon(const SurfaceElement& triangle, const Vec3& point, double c[3]) {
  const Vec3 d = toElementFrame(triangle, point);
  const Vec2 p{d.x, d.y};
  const Vec2 a = cornerAtHeight(triangle, 0, d.z);
  const Vec2 b = cornerAtHeight(triangle, 1, d.z);
  const Vec2 cc = cornerAtHeight(triangle, 2, d.z);
  if (hasNoArea(a, b, cc)) return locateOnLongestSide(a, b, cc, p, c);
  const double outAB = outsideDistance(a, b, p);
  const double outBC = outsideDistance(b, cc, p);
  const double outCA = outsideDistance(cc, a, p);
  const double tol = -kOnEdgeTolerance;
  if (outCA >= tol && outAB >= tol) return set(c, 1.0, 0.0, 1.0), kBeyondCornerA;
  if (outAB >= tol && outBC >= tol) return set(c, 1.0, 1.0, 0.0), kBeyondCornerB;
  if (outBC >= tol && outCA >= tol) return set(c, 0.0, 1.0, 1.0), kBeyondCornerC;
  if (outAB > 0.0) {
    const double t = positionAlong(a, b, p);
    return set(c, 1.0, t, 1.0 - t), kOutsideEdgeAB;
  }
  if (outBC > 0.0) {
    const double t = positionAlong(b, cc, p);
    return set(c, 1.0 - t, 1.0, t), kOutsideEdgeBC;
  }
  if (outCA > 0.0) {
    const double t = positionAlong(cc, a, p);
    return set(c, t, 1.0 - t, 1.0), kOutsideEdgeCA;
  }
  double w[3];
  barycentric(a, b, cc, p, w);
  set(c, std::clamp(1.0 - w[2], 0.0, 1.0), std::clamp(1.0 - w[0], 0.0, 1.0),
      std::clamp(1.0 - w[1], 0.0, 1.0));
  return kInsideTriangle;
}

int getLocationPerAtPolygon(const SurfaceElement& fanTriangle, const Vec3& point, double c[4]) {
  const int region = getLocationPerAtTrigon(fanTriangle, point, c);
  double w[3];
  cornerWeightsFromLocation(c, w);
  const double side = w[1] + w[2];
  c[3] = side < kZeroLength ? 0.5 : w[2] / side;
  return region;
}

void cornerWeightsFromLocation(const double c[3], double w[3]) {
  w[0] = 1.0 - c[1];
  w[1] = 1.0 - c[2];
  w[2] = 1.0 - c[0];
  const double sum = w[0] + w[1] + w[2];
  if (sum < kZeroLength) {
    w[0] = 1.0;
    w[1] = w[2] = 0.0;
    return;
  }
  for (int i = 0; i < 3; ++i) w[i] /= sum;
}

}  // namespace velmora::geometry
