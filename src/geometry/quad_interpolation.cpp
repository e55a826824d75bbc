#include "geometry/quad_interpolation.h"

#include <cmath>

#include "geometry/geometry_conventions.h"

namespace velmora::geometry {

namespace {

bool inUnitRange(double v) { return v >= 0.0 && v <= 1.0; }

// v of the quadratic a v^2 + b v + c = 0 that lies in [0, 1]; false when none.
bool solveV(double a, double b, double c, double& v) {
  if (std::fabs(a) < kZeroLength) {
    // Opposite sides parallel: the equation is linear (and b = 0 means no v).
    // Its root must lie on the quad as the quadratic's must.
    if (std::fabs(b) < kZeroLength) return false;
    v = -c / b;
    return inUnitRange(v);
  }
  const double disc = b * b - 4.0 * a * c;
  if (disc < 0.0) return false;
  const double r = std::sqrt(disc);
  if (r < kZeroLength) {
    v = -b / (2.0 * a);
    return true;
  }
  v = (r - b) / (2.0 * a);
  if (inUnitRange(v)) return true;
  v = (-b - r) / (2.0 * a);
  return inUnitRange(v);
}

}  // namespace

int getQuadInterpolation(const Vec2 q[4], const Vec2& p, double& u, double& v) {
  const Vec2 e1 = q[3] - q[0];
  const Vec2 e2 = q[2] - q[1];
  const Vec2 bottom = q[1] - q[0];
  const Vec2 rel = p - q[0];
  const double a = cross(e1, e2);
  const double b = cross(e1, bottom) + cross(e2 - e1, rel);
  const double c = cross(bottom, rel);
  double vv = 0.0;
  if (!solveV(a, b, c, vv)) return 0;
  const Vec2 left = q[0] + e1 * vv;
  const Vec2 right = q[1] + e2 * vv;
  const Vec2 w = right - left;
  const bool useX = std::fabs(w.x) > std::fabs(w.y);
  const double wc = useX ? w.x : w.y;
  if (std::fabs(wc) <= kZeroLength) return 0;
  u = (useX ? p.x - left.x : p.y - left.y) / wc;
  v = vv;
  return 1;
}

}  // namespace velmora::geometry
