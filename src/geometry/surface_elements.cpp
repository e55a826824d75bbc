#include "geometry/surface_elements.h"

#include <algorithm>
#include <cmath>

#include "geometry/geometry_conventions.h"
#include "geometry/vector_math.h"

namespace velmora::geometry {

namespace {

// A non-finite corner makes the whole box NaN (min/max would hide it), so
// the grid leaves the element out.
void setBox(SurfaceElement& e, const Vec3* points, int count) {
  e.boxMin = e.boxMax = points[0];
  for (int i = 0; i < count; ++i) {
    const Vec3& p = points[i];
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) {
      const double nan = std::nan("");
      e.boxMin = e.boxMax = {nan, nan, nan};
      return;
    }
  }
  for (int i = 1; i < count; ++i) {
    e.boxMin = {std::min(e.boxMin.x, points[i].x), std::min(e.boxMin.y, points[i].y),
                std::min(e.boxMin.z, points[i].z)};
    e.boxMax = {std::max(e.boxMax.x, points[i].x), std::max(e.boxMax.y, points[i].y),
                std::max(e.boxMax.z, points[i].z)};
  }
}

// Orthonormal frame whose third row is the unit vector n (never zero here).
void frameAround(const Vec3& n, Vec3 axis[3]) {
  getRot90Vector(n, axis[0]);
  axis[1] = cross(n, axis[0]);
  axis[2] = n;
}

// Triangle frame; collinear or coincident corners still give an orthonormal
// frame whose first axis runs along the longest spread of the corners.
// Returns false when the triangle has no area (its normal is then arbitrary).
bool triangleFrame(const Vec3& a, const Vec3& b, const Vec3& c, Vec3 axis[3]) {
  Vec3 u;
  if (vect3D(a, b, u) == 0.0 && vect3D(a, c, u) == 0.0) u = {1.0, 0.0, 0.0};
  Vec3 n;
  const bool flat = norm3D(b - a, c - a, n) != 0;
  if (flat) getRot90Vector(u, n);
  axis[0] = u;
  axis[2] = n;
  axis[1] = cross(n, u);
  return !flat;
}

Vec2 inPlane(const Vec3 axis[3], const Vec3& d) { return {dot(d, axis[0]), dot(d, axis[1])}; }

Vec3 cornerNormalInFrame(const Vec3 axis[3], const Vec3& worldNormal) {
  Vec3 n{dot(worldNormal, axis[0]), dot(worldNormal, axis[1]), std::fabs(dot(worldNormal, axis[2]))};
  if (normalize3D(n) == 0.0) return {0.0, 0.0, 1.0};
  if (n.z < kZeroLength) {
    n.z = kZeroLength;
    normalize3D(n);
  }
  return n;
}

}  // namespace

Vec3 toElementFrame(const SurfaceElement& element, const Vec3& q) {
  const Vec3 d = q - element.origin;
  return {dot(d, element.axis[0]), dot(d, element.axis[1]), dot(d, element.axis[2])};
}

SurfaceElement makeTriangleElement(const Vec3& a, const Vec3& b, const Vec3& c,
                                   const Vec3* cornerNormals) {
  SurfaceElement e;
  e.kind = ElementKind::Triangle;
  e.origin = a;
  const Vec3 corners[3] = {a, b, c};
  setBox(e, corners, 3);
  e.hasArea = triangleFrame(a, b, c, e.axis);
  for (int i = 0; i < 3; ++i) e.corner2[i] = inPlane(e.axis, corners[i] - a);
  e.corner2[0] = {0.0, 0.0};
  for (int i = 0; i < 3; ++i) {
    const Vec2 from = e.corner2[i];
    const Vec2 to = e.corner2[(i + 1) % 3];
    e.edgeLength[i] = vect2D(from, to, e.edgeDir[i]);
    // Corners run counter-clockwise in the frame, so outward is the right-hand side.
    e.edgeOutward[i] = {e.edgeDir[i].y, -e.edgeDir[i].x};
  }
  for (int i = 0; i < 3; ++i) {
    e.cornerNormal[i] = cornerNormals ? cornerNormalInFrame(e.axis, cornerNormals[i])
                                      : Vec3{0.0, 0.0, 1.0};
  }
  return e;
}

SurfaceElement makeSegmentElement(const Vec3& a, const Vec3& b, const Vec3& normalA,
                                  const Vec3& normalB) {
  SurfaceElement e;
  e.kind = ElementKind::Segment;
  e.origin = a;
  const Vec3 ends[2] = {a, b};
  setBox(e, ends, 2);
  Vec3 dir;
  e.length = vect3D(a, b, dir);
  if (e.length == 0.0) dir = {0.0, 0.0, 1.0};
  frameAround(dir, e.axis);
  e.endNormal[0] = lengthSquared(normalA) > 0.0 ? normalA : dir;
  e.endNormal[1] = lengthSquared(normalB) > 0.0 ? normalB : dir;
  return e;
}

}  // namespace velmora::geometry
