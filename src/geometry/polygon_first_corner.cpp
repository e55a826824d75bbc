#include <algorithm>
#include <cmath>
#include <cstddef>

#include "geometry/polygon_triangulation.h"
#include "geometry/vector_math.h"

namespace velmora::geometry {

namespace {

// Sum of signed turning angles of the outline, counter-clockwise positive;
// zero-length edges are passed over. About +-2 pi for a simple polygon.
template <class DirAt>
double turningSum(int n, DirAt dirAt) {
  double sum = 0.0;
  Vec2 prev;
  bool havePrev = false;
  Vec2 first;
  for (int k = 0; k < n; ++k) {
    const Vec2 d = dirAt(k);
    if (d.x == 0.0 && d.y == 0.0) continue;
    if (havePrev) {
      const double a = std::acos(std::clamp(dot(prev, d), -1.0, 1.0));
      sum += cross(prev, d) > 0.0 ? a : -a;
    } else {
      first = d;
    }
    prev = d;
    havePrev = true;
  }
  if (havePrev) {
    const double a = std::acos(std::clamp(dot(prev, first), -1.0, 1.0));
    sum += cross(prev, first) > 0.0 ? a : -a;
  }
  return sum;
}

}  // namespace

int searchFineZeroIndexOfPoly(std::span<const Vec3> corners, const Vec3* normal) {
  const int n = static_cast<int>(corners.size());
  if (n < 3) return 0;
  auto at = [&](int k) -> const Vec3& { return corners[static_cast<std::size_t>((k + n) % n)]; };

  double best = 2.0;
  int result = 0;
  bool found = false;
  for (int k = 0; k < n; ++k) {
    Vec3 in, out;
    if (vect3D(at(k - 1), at(k), in) == 0.0 || vect3D(at(k), at(k + 1), out) == 0.0) continue;
    if (normal != nullptr) {
      Vec3 turn;
      if (norm3D(in, out, turn) != 0 || dot(turn, *normal) <= 0.0) continue;
    }
    const double score = std::fabs(dot(in, out));
    if (score < best) {
      best = score;
      result = k;
      found = true;
    }
  }
  if (normal != nullptr || !found) return result;

  // No normal: make sure the chosen corner is convex. Lay the outline into the
  // plane of c0's two edges, oriented so that c0 turns left; a negative turning
  // sum then means c0 is reflex.
  const int c0 = result;
  Vec3 a, b, nrm;
  vect3D(at(c0), at(c0 - 1), a);
  vect3D(at(c0), at(c0 + 1), b);
  if (norm3D(b, a, nrm) != 0) return 0;
  const Vec3 axisX = b;
  const Vec3 axisY = cross(nrm, b);
  auto flat = [&](int k) {
    const Vec3 d = at(k) - at(c0);
    return Vec2{dot(d, axisX), dot(d, axisY)};
  };
  auto dirAt = [&](int k) {
    Vec2 d;
    vect2D(flat(k), flat(k + 1), d);
    return d;
  };
  if (turningSum(n, dirAt) > 0.0) return c0;

  // The outline runs clockwise in this frame: convex corners turn right.
  best = 2.0;
  result = 0;
  for (int k = 0; k < n; ++k) {
    const Vec2 in = dirAt(k - 1 + n);
    const Vec2 out = dirAt(k);
    if ((in.x == 0.0 && in.y == 0.0) || (out.x == 0.0 && out.y == 0.0)) continue;
    if (cross(in, out) >= 0.0) continue;
    const double score = std::fabs(dot(in, out));
    if (score < best) {
      best = score;
      result = k;
    }
  }
  return result;
}

}  // namespace velmora::geometry
