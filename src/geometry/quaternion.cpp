#include "geometry/quaternion.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/geometry_conventions.h"
#include "geometry/vector_math.h"

namespace velmora::geometry {

Quat& multiplyQuaternion(const Quat& a, const Quat& b, Quat& out) {
  const Quat r{a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z,
               a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
               a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
               a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w};
  out = r;
  return out;
}

void getQuaternion(const Vec3& axis, double angle, Quat& q, Quat& qInv) {
  const double c = std::cos(angle * 0.5);
  const double s = std::sin(angle * 0.5);
  q = {c, axis.x * s, axis.y * s, axis.z * s};
  qInv = {c, -q.x, -q.y, -q.z};
}

void transformQuaternion(const Quat& q, const Quat& qInv, const Vec3& v, Vec3& out) {
  Quat t;
  multiplyQuaternion(q, Quat{0.0, v.x, v.y, v.z}, t);
  multiplyQuaternion(t, qInv, t);
  out = {t.x, t.y, t.z};
}

int getRotateAngleAndAxis(const Vec3& a, const Vec3& b, Vec3& axis, double& angle) {
  const double d = std::clamp(dot(a, b), -1.0, 1.0);
  if (d > kSameDirectionDot) return 1;
  if (norm3D(a, b, axis) != 0) {
    // Opposite: any perpendicular axis turns a into b by pi.
    getRot90Vector(a, axis);
    angle = std::numbers::pi;
    return 0;
  }
  angle = std::acos(d);
  return 0;
}

}  // namespace velmora::geometry
